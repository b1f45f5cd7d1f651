#include "contracts/StripState.h"
#include "browse/EntryList.h"

#include "browse/EntryDisplay.h"
#include "controls/LineBookmarks.h"
#include "controls/LineTips.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/Queries.h"
#include "store/StoreError.h"

#include <algorithm>
#include <exception>
#include <QDrag>
#include <QKeyEvent>
#include <QLabel>
#include "controls/LineList.h"
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>

namespace wk::browse {

using controls::skipStep;

namespace {
constexpr int kDeleteKey = 46;
}

EntryList::EntryList(const EntryListParts& parts) : parts_(parts), filledFrom_(&parts.entries)
{
    controls::LineList* list = parts_.entryList;
    connect(list, &controls::LineList::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0)
            showSelectedLine();
    });
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    controls::showCutLinesWhole(list);
    startDrag = [this] { startLabelDrag(); };
}

EntryList::~EntryList() = default;

void EntryList::fill(store::DataSource& source, int emptySlots)
{
    QList<qint64> ids;
    skipStep([&] {
        const int rows = source.recordCount();
        ids.reserve(rows);
        for (int row = 0; row < rows; ++row)
            ids << source.rowIdAt(row);
        if (rows > 0) { // as after passing over every row: past the last one
            source.moveLast();
            source.moveNext();
        }
    });
    // A title is read when its line is drawn; a null title lists as an empty line.
    showIds(
        source, ids, [&source, ids](int line) { return store::titleById(source, ids.at(line), line); },
        emptySlots);
}

void EntryList::showLines(store::DataSource& source, const QStringList& titles, const QStringList& bookmarks,
                          int emptySlots)
{
    QList<qint64> ids;
    ids.reserve(bookmarks.size());
    for (const QString& bookmark : bookmarks)
        ids << (bookmark.isEmpty() ? controls::LineBookmarks::kEmptySlot : bookmark.toLongLong());
    showIds(
        source, ids, [titles](int line) { return titles.value(line); }, emptySlots);
}

void EntryList::showIds(store::DataSource& source, const QList<qint64>& ids,
                        controls::LineModel::TextOf textOf, int emptySlots)
{
    filledFrom_ = &source;
    parts_.strip.setShowsFolder(false); // the strip's arrows now step through these lines
    controls::LineList* list = parts_.entryList;
    filling_ = true;
    list->setLines(int(ids.size()), std::move(textOf));
    parts_.lineBookmarks = ids.isEmpty() ? controls::LineBookmarks::emptySlots(std::max(emptySlots, 1))
                                         : controls::LineBookmarks(ids);
    filling_ = false;
}

store::DataSource& EntryList::positionOnLine(int line)
{
    if (line < 0 || line >= parts_.lineBookmarks.size() || line >= parts_.entryList->count())
        throw store::StoreError(QStringLiteral("No entry is selected."));
    const QString& bookmark = parts_.lineBookmarks[line];
    if (bookmark.isEmpty())
        throw store::StoreError(QStringLiteral("This line shows no entry."));
    // Bookmarks are row identities of MYLIFE, so a line filled from the filter set still
    // names its entry in the entry set whenever the entry set holds it.
    if (filledFrom_ == &parts_.entries || parts_.entries.hasBookmark(bookmark)) {
        parts_.entries.setBookmark(bookmark);
        return parts_.entries;
    }
    if (filledFrom_->hasBookmark(bookmark)) {
        filledFrom_->setBookmark(bookmark);
        return *filledFrom_;
    }
    // The filling source was re-queried since: read the line's entry on its own.
    bool isRowId = false;
    const qlonglong id = bookmark.toLongLong(&isRowId);
    if (!isRowId)
        throw store::StoreError(QStringLiteral("This line's entry is no longer available."));
    if (!lineEntry_)
        lineEntry_ = std::make_unique<store::DataSource>(parts_.connections, QStringLiteral("lineEntry"));
    lineEntry_->setDatabaseName(parts_.entries.databaseName());
    lineEntry_->setRecordSource(store::queries::entryByRow(id));
    lineEntry_->refresh();
    lineEntry_->setBookmark(bookmark);
    return *lineEntry_;
}

QString EntryList::pictureOfLine(int line)
{
    store::DataSource& entry = positionOnLine(line);
    return parts_.display.resolvePictureName(store::fieldText(entry, store::kPictureField));
}

void EntryList::deleteLineEntry(int line)
{
    std::exception_ptr failure;
    try {
        positionOnLine(line).remove();
    } catch (const store::RowGoneError& gone) {
        parts_.prompts.tell(parts_.window->windowTitle(), gone.message(), controls::MessageIcon::Exclamation);
    } catch (const std::exception&) {
        failure = std::current_exception();
    }
    refillFromLastSource();
    if (failure)
        std::rethrow_exception(failure);
}

void EntryList::refillFromLastSource()
{
    store::DataSource& source = *filledFrom_;
    skipStep([&] { parts_.entries.refresh(); });
    if (&source != &parts_.entries)
        skipStep([&] { source.refresh(); });
    skipStep([&] { fill(source); });
}

void EntryList::showSelectedLine()
{
    EntryDisplay& display = parts_.display;
    skipStep([&] { display.refreshPictureRoot(); });
    if (parts_.calendarButton->isChecked())
        return;
    store::DataSource* shown = &parts_.entries;
    skipStep([&] { shown = &positionOnLine(parts_.entryList->currentRow()); });
    display.showCurrentEntry(*shown);
}

void EntryList::handleListKey(int keyCode)
{
    if (keyCode != kDeleteKey)
        return;
    const int line = parts_.entryList->currentRow();
    if (line < 0 || line >= parts_.lineBookmarks.size() || parts_.lineBookmarks[line].isEmpty())
        return; // nothing selected: nothing to delete
    if (!parts_.prompts.askYesNo(parts_.window->windowTitle(), QStringLiteral("Delete this File?"), true))
        return;
    controls::tryWrite(parts_.prompts, parts_.window->windowTitle(),
                       QStringLiteral("The entry was not deleted."), [&] { deleteLineEntry(line); });
}

void EntryList::pressOnList(Qt::MouseButton, QPoint position)
{
    if (!parts_.calendarButton->isChecked())
        return;
    controls::LineList* list = parts_.entryList;
    if (const QModelIndex line = list->indexAt(position); line.isValid())
        list->setCurrentRow(line.row());
    const int th = parts_.window->fontMetrics().height();
    const QRect cell = parts_.dayCells[1]->geometry();
    parts_.pictureLabel->setGeometry(list->x(), list->y() + position.y() - th, cell.width(), 2 * th);
    if (startDrag)
        startDrag();
}

void EntryList::startLabelDrag()
{
    auto* drag = new QDrag(parts_.entryList);
    auto* mime = new QMimeData;
    mime->setText(parts_.pictureLabel->text());
    mime->setData(QStringLiteral("application/x-wanderkeep-entry-line"),
                  QByteArray::number(parts_.entryList->currentRow()));
    drag->setMimeData(mime);
    drag->setPixmap(parts_.pictureLabel->grab());
    drag->exec(Qt::CopyAction);
}

bool EntryList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.entryList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            handleListKey(kDeleteKey);
            return true;
        }
    }
    if (watched == parts_.entryList->viewport() && event->type() == QEvent::MouseButtonPress &&
        parts_.calendarButton->isChecked()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressOnList(mouse->button(), mouse->position().toPoint());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wk::browse
