#include "timeline/TimelineListing.h"

#include "contracts/BigPicture.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/LineTips.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"
#include "store/FilePaths.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <array>

namespace wk::timeline {

using controls::skipStep;
using store::fieldDate;
using store::fieldText;

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

// "dd  " for each day of a month, formatted once.
const QString& dayPrefix(const QDate& d)
{
    static const std::array<QString, 32> prefixes = [] {
        std::array<QString, 32> all;
        for (int day = 1; day <= 31; ++day)
            all[size_t(day)] = dates::formatDayListing(QDate(2000, 1, day));
        return all;
    }();
    return prefixes[size_t(d.day())];
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
                listing.lines << dayPrefix(d) + fieldText(entries, store::kTitleField);
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

TimelineListing::TimelineListing(const TimelineListingParts& parts) : parts_(parts)
{
    connect(&parts_.Data1, &store::DataSource::changed, this, [this] { built_.reset(); });
    connect(parts_.Option2, &QAbstractButton::clicked, this, &TimelineListing::Option2_Click);
    controls::showCutLinesWhole(parts_.Listdb2); // month headers and long titles
    connect(parts_.Listdb2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            listdb2_Click();
    });
}

void TimelineListing::Option2_Click()
{
    skipStep([&] {
        parts_.Frame1->hide();
        parts_.Frame5->hide();
        parts_.FrameMytrip->show();
        parts_.Option3->setEnabled(false);
    });
    showFirstEntry();
    skipStep([&] { parts_.TimeOn1->show(); });
    fillListing();
    skipStep([&] { parts_.Data1.moveFirst(); });
    skipStep([&] {
        parts_.Listdb2->setCurrentRow(0); // a header: the click it raises does nothing
        parts_.Listdb2->update();
    });
    store::DataSource& entries = parts_.Data1;
    skipStep([&] { parts_.datelabel->setText(dates::formatLong(fieldDate(entries, store::kDateField))); });
    skipStep([&] {
        if (fieldText(entries, store::kWhereField).isEmpty())
            parts_.wherelabel->clear();
    });
}

void TimelineListing::showFirstEntry()
{
    store::DataSource& entries = parts_.Data1;
    QString picture;
    QDate date;
    skipStep([&] { entries.moveFirst(); });
    skipStep([&] { picture = fieldText(entries, store::kPictureField); });
    skipStep([&] { date = fieldDate(entries, store::kDateField); });
    // The log box follows the entry set's row, so it shows the same entry as the picture.
    skipStep([&] { parts_.Text3->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        // The first entry's name is taken as stored: a disc name ("%...") is not looked up here.
        contracts::BigPicture& display = parts_.bigPicture;
        const bool onDisc = picture.startsWith(QLatin1Char('%'));
        if (picture.isEmpty()) {
            parts_.Image8->clear();
            return;
        }
        const QString path = onDisc ? QString() : display.resolvePictureName(picture);
        if (store::picturePresent(path))
            parts_.Image8->show();
        display.showWithStripWidthRule(path);
    });
    skipStep([&] {
        parts_.datelabel->setText(dates::formatLong(date));
        parts_.datelabel->update();
        parts_.Image8->update();
    });
}

void TimelineListing::fillListing()
{
    store::DataSource& entries = parts_.Data1;
    skipStep([&] { entries.refreshIfChanged(); });
    // The listing stands until the entry set changes (a re-read, or a row written through it).
    if (!built_)
        built_ = buildListing(entries);
    const Listing& listing = *built_;
    QListWidget* list = parts_.Listdb2;
    controls::setTextColour(list, QColor(0, 0, 255));
    {
        const QSignalBlocker blocker(list); // refilling is no click
        list->clear();
        list->addItems(listing.lines);
    }
    parts_.lineBookmarks = listing.bookmarks;
}

void TimelineListing::listdb2_Click()
{
    const int line = parts_.Listdb2->currentRow();
    if (line < 0 || line >= parts_.lineBookmarks.size() || parts_.lineBookmarks[line].isEmpty())
        return;
    store::DataSource& entries = parts_.Data1;
    if (!skipStep([&] { entries.setBookmark(parts_.lineBookmarks[line]); }))
        return; // the line's entry is no longer in the entry set
    skipStep([&] {
        parts_.wherelabel->setText(fieldText(entries, store::kWhereField));
        parts_.wherelabel->update();
    });
    skipStep([&] {
        parts_.datelabel->setText(dates::formatLong(fieldDate(entries, store::kDateField)));
        parts_.datelabel->update();
    });
    skipStep([&] { parts_.Text3->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        const QString picture = fieldText(entries, store::kPictureField);
        if (picture.isEmpty()) {
            parts_.Image8->clear();
            return;
        }
        contracts::BigPicture& display = parts_.bigPicture;
        display.showWithStripWidthRule(display.resolvePictureName(picture));
    });
}

} // namespace wk::timeline
