#include "timeline/TimelineListing.h"

#include "browse/EntryDisplay.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "shell/Mtform1.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace wk::timeline {

using browse::fieldDate;
using browse::fieldText;
using controls::skipStep;

namespace {

QString firstHeader(const QDate& d)
{
    return QStringLiteral("------------------ ") + dates::formatMonthYearBlank(d) +
           QStringLiteral("----------------------------------");
}

QString laterHeader(const QDate& d)
{
    return QStringLiteral("--------------------") + dates::formatMonthYear(d) +
           QStringLiteral("---------------------------------");
}

} // namespace

Listing buildListing(store::DataSource& entries)
{
    Listing listing;
    QDate d;
    skipStep([&] {
        entries.moveFirst();
        d = fieldDate(entries, store::kDateField);
    });
    int month = d.isValid() ? d.month() : 0;
    listing.lines << firstHeader(d);
    listing.bookmarks << QString();
    skipStep([&] {
        while (!entries.eof()) {
            // An entry without a date stays under the header before it.
            if (const QDate rowDate = fieldDate(entries, store::kDateField); rowDate.isValid()) {
                d = rowDate;
                if (d.month() != month) {
                    listing.lines << laterHeader(d);
                    listing.bookmarks << QString();
                    month = d.month();
                }
                listing.lines << dates::formatDayListing(d) + fieldText(entries, store::kTitleField);
            } else {
                listing.lines << fieldText(entries, store::kTitleField);
            }
            listing.bookmarks << entries.bookmark();
            entries.moveNext();
        }
    });
    while (listing.bookmarks.size() < 2)
        listing.bookmarks << QString();
    return listing;
}

TimelineListing::TimelineListing(shell::Mtform1& form) : QObject(&form), form_(form)
{
    connect(form_.Option2, &QAbstractButton::clicked, this, &TimelineListing::Option2_Click);
    connect(form_.Listdb2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            listdb2_Click();
    });
}

void TimelineListing::Option2_Click()
{
    skipStep([&] {
        form_.Frame1->hide();
        form_.Frame5->hide();
        form_.FrameMytrip->show();
        form_.Option3->setEnabled(false);
    });
    showFirstEntry();
    skipStep([&] { form_.TimeOn1->show(); });
    fillListing();
    skipStep([&] { form_.Data1.moveFirst(); });
    skipStep([&] {
        form_.Listdb2->setCurrentRow(0); // a header: the click it raises does nothing
        form_.Listdb2->update();
    });
    store::DataSource& entries = form_.Data1;
    skipStep([&] { form_.datelabel->setText(dates::formatLong(fieldDate(entries, store::kDateField))); });
    skipStep([&] {
        if (fieldText(entries, store::kWhereField).isEmpty())
            form_.wherelabel->clear();
    });
}

void TimelineListing::showFirstEntry()
{
    store::DataSource& entries = form_.Data1;
    QString picture;
    QDate date;
    skipStep([&] { entries.moveFirst(); });
    skipStep([&] { picture = fieldText(entries, store::kPictureField); });
    skipStep([&] { date = fieldDate(entries, store::kDateField); });
    // The log box follows the entry set's row, so it shows the same entry as the picture.
    skipStep([&] { form_.Text3->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        // The first entry's name is taken as stored: a disc name ("%...") is not looked up here.
        browse::EntryDisplay& display = form_.entryDisplay();
        const bool onDisc = picture.startsWith(QLatin1Char('%'));
        if (picture.isEmpty()) {
            form_.Image8->clear();
            return;
        }
        const QString path = onDisc ? QString() : display.resolvePictureName(picture);
        if (browse::EntryDisplay::picturePresent(path))
            form_.Image8->show();
        display.showWithStripWidthRule(path);
    });
    skipStep([&] {
        form_.datelabel->setText(dates::formatLong(date));
        form_.datelabel->update();
        form_.Image8->update();
    });
}

void TimelineListing::fillListing()
{
    store::DataSource& entries = form_.Data1;
    skipStep([&] { entries.refreshIfChanged(); });
    const Listing listing = buildListing(entries);
    QListWidget* list = form_.Listdb2;
    controls::setTextColour(list, QColor(0, 0, 255));
    {
        const QSignalBlocker blocker(list); // refilling is no click
        list->clear();
        list->addItems(listing.lines);
    }
    form_.lineBookmarks = listing.bookmarks;
}

void TimelineListing::listdb2_Click()
{
    const int line = form_.Listdb2->currentRow();
    if (line < 0 || line >= form_.lineBookmarks.size() || form_.lineBookmarks[line].isEmpty())
        return;
    store::DataSource& entries = form_.Data1;
    if (!skipStep([&] { entries.setBookmark(form_.lineBookmarks[line]); }))
        return; // the line's entry is no longer in the entry set
    skipStep([&] {
        form_.wherelabel->setText(fieldText(entries, store::kWhereField));
        form_.wherelabel->update();
    });
    skipStep([&] {
        form_.datelabel->setText(dates::formatLong(fieldDate(entries, store::kDateField)));
        form_.datelabel->update();
    });
    skipStep([&] { form_.Text3->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        const QString picture = fieldText(entries, store::kPictureField);
        if (picture.isEmpty()) {
            form_.Image8->clear();
            return;
        }
        browse::EntryDisplay& display = form_.entryDisplay();
        display.showWithStripWidthRule(display.resolvePictureName(picture));
    });
}

} // namespace wk::timeline
