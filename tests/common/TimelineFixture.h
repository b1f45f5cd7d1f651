#pragma once
// A started program over a scrapbook whose entries each have a picture of their own colour, so
// a test can tell which entry a thumbnail or the big picture shows by the file it came from.
#include "ProgramTest.h"

#include <QStringList>

namespace wk::testing {

class TimelineTest : public ProgramTest {
protected:
    // `count` entries on consecutive days from 1 March 2001, "Entry 0" ..., each with its own
    // landscape picture; returns the picture paths in entry order.
    QStringList addNumberedEntries(int count)
    {
        QStringList pictures;
        for (int n = 0; n < count; ++n) {
            const QString picture = book.writePicture(QStringLiteral("pic%1.bmp").arg(n), {60, 40},
                                                      QColor(20 * n, 0, 255 - 20 * n));
            bookmarks << book.addEntry({QDate(2001, 3, 1).addDays(n),
                                        QStringLiteral("Entry %1").arg(n),
                                        QStringLiteral("1 Events"),
                                        {},
                                        picture,
                                        QStringLiteral("log %1").arg(n)});
            pictures << picture;
        }
        return pictures;
    }

    // The file shown by each strip slot (1..7), empty for an empty slot.
    QStringList slotFiles() const
    {
        QStringList files;
        for (int k = 1; k <= 7; ++k) {
            const controls::ImageControl* slot = program->form().widgets().stripSlots[k];
            files << (slot->picture().isNull() ? QString() : slot->picture().file);
        }
        return files;
    }

    QStringList bookmarks;
};

// The strip over `count` numbered entries: which picture and bookmark each slot holds.
class StripTest : public TimelineTest {
protected:
    QStringList pictures;

    shell::MainWindow& startWithEntries(int count)
    {
        pictures = addNumberedEntries(count);
        return start();
    }
    QStringList picturesOf(int first, int last) const
    {
        QStringList files = pictures.mid(first, last - first + 1);
        while (files.size() < 7)
            files << QString();
        return files;
    }
    QStringList stripBookmarks() const
    {
        QStringList texts;
        for (int k = 1; k <= 7; ++k)
            texts << program->form().strip().slot(k);
        return texts;
    }
};

} // namespace wk::testing
