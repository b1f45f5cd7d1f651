#include "timeline/TimelineListing.h"

#include "contracts/BigPicture.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include "controls/LineTips.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"
#include "store/FilePaths.h"

#include <QGroupBox>
#include <QLabel>
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
const QString& dayPrefix(int day)
{
    static const std::array<QString, 32> prefixes = [] {
        std::array<QString, 32> all;
        for (int day = 1; day <= 31; ++day)
            all[size_t(day)] = dates::formatDayListing(QDate(2000, 1, day));
        return all;
    }();
    return prefixes[size_t(day)];
}

} // namespace

void Listing::addHeader(const QString& text)
{
    headers_.insert(lineCount(), text);
    rows_.push_back(-1);
    days_.push_back(0);
    ids_ << controls::LineBookmarks::kEmptySlot;
}

void Listing::addEntry(int row, qint64 id, int day)
{
    rows_.push_back(row);
    days_.push_back(qint8(day));
    ids_ << id;
}

QString Listing::lineText(const store::DataSource& entries, int line) const
{
    const int row = rows_[size_t(line)];
    if (row < 0)
        return headers_.value(line);
    const QString title = store::titleById(entries, ids_.at(line), row);
    const int day = days_[size_t(line)];
    return day > 0 ? dayPrefix(day) + title : title;
}

controls::LineBookmarks Listing::bookmarks() const
{
    QList<qint64> slots = ids_;
    while (slots.size() < 2)
        slots << controls::LineBookmarks::kEmptySlot;
    return controls::LineBookmarks(slots);
}

Listing buildListing(const store::DataSource& entries)
{
    Listing listing;
    int month = 0;
    bool first = true;
    skipStep([&] {
        entries.forEachValue(store::kDateField, [&](int row, const QVariant& value) {
            const QDate d = store::dateOf(value);
            if (first) {
                listing.addHeader(firstHeader(d));
                month = d.isValid() ? d.month() : 0;
                first = false;
            }
            // An entry without a date stays under the header before it.
            if (d.isValid() && d.month() != month) {
                listing.addHeader(laterHeader(d));
                month = d.month();
            }
            listing.addEntry(row, entries.rowIdAt(row), d.isValid() ? d.day() : 0);
        });
    });
    if (first)
        listing.addHeader(firstHeader(QDate()));
    return listing;
}

TimelineListing::TimelineListing(const TimelineListingParts& parts) : parts_(parts)
{
    connect(&parts_.entries, &store::DataSource::changed, this, [this] { built_.reset(); });
    connect(parts_.listByDateButton, &QAbstractButton::clicked, this, &TimelineListing::showListByDate);
    controls::showCutLinesWhole(parts_.dateList); // month headers and long titles
    connect(parts_.dateList, &controls::LineList::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showListingLine();
    });
}

void TimelineListing::showListByDate()
{
    skipStep([&] {
        parts_.mainScreenPanel->hide();
        parts_.editScreenPanel->hide();
        parts_.listingPanel->show();
        parts_.editScreenButton->setEnabled(false);
    });
    showFirstEntry();
    skipStep([&] { parts_.timelineButton->show(); });
    fillListing();
    skipStep([&] { parts_.entries.moveFirst(); });
    skipStep([&] {
        parts_.dateList->setCurrentRow(0); // a header: the click it raises does nothing
        parts_.dateList->update();
    });
    store::DataSource& entries = parts_.entries;
    skipStep(
        [&] { parts_.entryDateLabel->setText(dates::formatLong(fieldDate(entries, store::kDateField))); });
    skipStep([&] {
        if (fieldText(entries, store::kWhereField).isEmpty())
            parts_.entryNameLabel->clear();
    });
}

void TimelineListing::showFirstEntry()
{
    store::DataSource& entries = parts_.entries;
    QString picture;
    QDate date;
    skipStep([&] { entries.moveFirst(); });
    skipStep([&] { picture = fieldText(entries, store::kPictureField); });
    skipStep([&] { date = fieldDate(entries, store::kDateField); });
    // The log box follows the entry set's row, so it shows the same entry as the picture.
    skipStep([&] { parts_.logEdit->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        // The first entry's name is taken as stored: a disc name ("%...") is not looked up here.
        contracts::BigPicture& display = parts_.bigPicture;
        const bool onDisc = picture.startsWith(QLatin1Char('%'));
        if (picture.isEmpty()) {
            parts_.bigImage->clear();
            return;
        }
        const QString path = onDisc ? QString() : display.resolvePictureName(picture);
        if (store::picturePresent(path))
            parts_.bigImage->show();
        display.showWithStripWidthRule(path);
    });
    skipStep([&] {
        parts_.entryDateLabel->setText(dates::formatLong(date));
        parts_.entryDateLabel->update();
        parts_.bigImage->update();
    });
}

void TimelineListing::fillListing()
{
    store::DataSource& entries = parts_.entries;
    skipStep([&] { entries.refreshIfChanged(); });
    // The listing stands until the entry set changes (a re-read, or a row written through it).
    if (!built_)
        built_ = std::make_shared<const Listing>(buildListing(entries));
    controls::LineList* list = parts_.dateList;
    controls::setTextColour(list, QColor(0, 0, 255));
    list->setLines(built_->lineCount(), [listing = built_, &entries](int line) {
        return listing->lineText(entries, line); // refilling is no click
    });
    parts_.lineBookmarks = built_->bookmarks();
}

void TimelineListing::showListingLine()
{
    const int line = parts_.dateList->currentRow();
    if (line < 0 || line >= parts_.lineBookmarks.size() || parts_.lineBookmarks[line].isEmpty())
        return;
    store::DataSource& entries = parts_.entries;
    if (!skipStep([&] { entries.setBookmark(parts_.lineBookmarks[line]); }))
        return; // the line's entry is no longer in the entry set
    skipStep([&] {
        parts_.entryNameLabel->setText(fieldText(entries, store::kWhereField));
        parts_.entryNameLabel->update();
    });
    skipStep([&] {
        parts_.entryDateLabel->setText(dates::formatLong(fieldDate(entries, store::kDateField)));
        parts_.entryDateLabel->update();
    });
    skipStep([&] { parts_.logEdit->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] {
        const QString picture = fieldText(entries, store::kPictureField);
        if (picture.isEmpty()) {
            parts_.bigImage->clear();
            return;
        }
        contracts::BigPicture& display = parts_.bigPicture;
        display.showWithStripWidthRule(display.resolvePictureName(picture));
    });
}

} // namespace wk::timeline
