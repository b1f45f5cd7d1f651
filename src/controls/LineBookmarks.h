#pragma once
// Which entry each line of the shown list stands for: a row identity per line, or an empty slot
// (a header, or the stand-in line of an empty list). Read as bookmark texts, as the sets take them.
#include <QList>
#include <QString>
#include <QStringList>
#include <limits>

namespace wk::controls {

class LineBookmarks {
public:
    static constexpr qint64 kEmptySlot = std::numeric_limits<qint64>::min();

    LineBookmarks() : ids_{kEmptySlot} {}
    explicit LineBookmarks(QList<qint64> ids) : ids_(std::move(ids)) {}
    static LineBookmarks emptySlots(int count) { return LineBookmarks(QList<qint64>(count, kEmptySlot)); }

    qsizetype size() const { return ids_.size(); }
    bool isEmpty() const { return ids_.isEmpty(); }
    // The bookmark of line `line`; empty for an empty slot.
    QString operator[](qsizetype line) const
    {
        return ids_.at(line) == kEmptySlot ? QString() : QString::number(ids_.at(line));
    }
    qint64 idAt(qsizetype line) const { return ids_.at(line); }
    const QList<qint64>& ids() const { return ids_; }

    QStringList toStringList() const
    {
        QStringList all;
        for (qsizetype i = 0; i < ids_.size(); ++i)
            all << (*this)[i];
        return all;
    }

    friend bool operator==(const LineBookmarks& bookmarks, const QStringList& texts)
    {
        return bookmarks.toStringList() == texts;
    }

private:
    QList<qint64> ids_;
};

} // namespace wk::controls
