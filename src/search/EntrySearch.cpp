#include "search/EntrySearch.h"

#include "controls/UiLog.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/EntryWords.h"
#include "store/Queries.h"
#include "store/StoreError.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <mutex>

namespace wk::search {

namespace {
constexpr int kPauseMs = 150; // a search waits for this pause in typing
}

// What runs on the search thread: its own connection to the scrapbook, kept open between searches.
struct EntrySearch::Worker {
    store::ConnectionPool pool;
    std::mutex mutex;
    std::shared_ptr<store::Connection> connection; // the connection a search may be running on

    std::vector<qint64> find(const QString& path, const QString& typed)
    {
        {
            std::lock_guard lock(mutex);
            connection = pool.open(path);
        }
        // Only the row identities: the window's entry set reads the entries it shows.
        store::DataSource found(pool, QStringLiteral("wordSearch"));
        found.setDatabaseName(path);
        found.setRecordSource(store::queries::entriesWithWords(typed));
        return found.queryRowIds();
    }

    // From the window's thread: the running search fails at once.
    void interrupt()
    {
        std::lock_guard lock(mutex);
        if (connection)
            connection->interrupt();
    }
};

EntrySearch::EntrySearch(const EntrySearchParts& parts) : parts_(parts), worker_(std::make_unique<Worker>())
{
    thread_.setMaxThreadCount(1);
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &EntrySearch::searchNow);

    QLineEdit* box = parts_.searchBox;
    box->setPlaceholderText(QStringLiteral("Search titles, stories, names"));
    box->setClearButtonEnabled(true);
    connect(box, &QLineEdit::textEdited, this, &EntrySearch::typed);
    connect(box, &QLineEdit::returnPressed, this, &EntrySearch::searchNow);
    // The clear button empties the box as if by typing.
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty() && showingResult_)
            returnToAllPictures();
    });
    box->installEventFilter(this);

    // Another filter chosen: its entries replace the search's.
    for (int k = 1; k <= 5; ++k)
        connect(parts_.categoryButtons[k], &QAbstractButton::clicked, this, &EntrySearch::clearQuietly);
    connect(parts_.allPicturesButton, &QPushButton::clicked, this, &EntrySearch::clearQuietly);
    connect(parts_.nameList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            clearQuietly();
    });
    connect(parts_.nameList, &QListWidget::itemClicked, this, &EntrySearch::clearQuietly);
}

EntrySearch::~EntrySearch()
{
    ++generation_;
    worker_->interrupt();
    thread_.waitForDone();
}

bool EntrySearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.searchBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        parts_.searchBox->clear(); // returns to All Pictures when a result is shown
        if (pause_.isActive() || showingResult_)
            returnToAllPictures();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void EntrySearch::typed(const QString& text)
{
    if (store::hasSearchWords(text)) {
        pause_.start();
        return;
    }
    pause_.stop();
    if (showingResult_)
        returnToAllPictures(); // no word left: as an empty box
}

void EntrySearch::searchNow()
{
    pause_.stop();
    const QString typed = parts_.searchBox->text();
    if (!store::hasSearchWords(typed)) {
        if (showingResult_)
            returnToAllPictures();
        return;
    }
    dropRunningSearch();
    showingResult_ = true;
    const int generation = generation_;
    const QString path = parts_.entries.databaseName();
    thread_.start([this, generation, typed, path] {
        std::vector<qint64> rows;
        try {
            rows = worker_->find(path, typed);
        } catch (const store::StoreError& error) {
            // Interrupted by a newer search, or the file could not be read: nothing to show.
            qCDebug(controls::uiLog).noquote()
                << QStringLiteral("search \"%1\": %2").arg(typed, error.message());
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, generation, typed, rows = std::move(rows)] { deliver(generation, typed, rows); },
            Qt::QueuedConnection);
    });
}

void EntrySearch::deliver(int generation, const QString& typed, const std::vector<qint64>& rows)
{
    if (generation != generation_)
        return; // a newer search, or another filter, took the list meanwhile
    parts_.showFound(typed, rows);
    Q_EMIT resultShown(int(rows.size()));
}

void EntrySearch::dropRunningSearch()
{
    ++generation_;
    worker_->interrupt();
}

void EntrySearch::returnToAllPictures()
{
    pause_.stop();
    dropRunningSearch();
    showingResult_ = false;
    parts_.showAllPictures();
}

void EntrySearch::clearQuietly()
{
    pause_.stop();
    dropRunningSearch();
    showingResult_ = false;
    const QSignalBlocker quiet(parts_.searchBox);
    parts_.searchBox->clear();
}

} // namespace wk::search
