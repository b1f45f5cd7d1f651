#pragma once
// The search box searchBox and what it does: a search starts 150 ms after the last key (Return:
// at once), runs on a worker thread with its own connection to the scrapbook and replaces any
// search still running. Esc, or a box with no word left in it, returns to All Pictures; choosing
// a category, a name or All Pictures empties the box.
#include "controls/Forward.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;

namespace wk::search {

struct EntrySearchParts {
    QLineEdit* searchBox;
    std::array<QRadioButton*, 6> categoryButtons; // [1]..[5]
    QPushButton* allPicturesButton;
    QListWidget* nameList;
    store::DataSource& entries; // its scrapbook is the one searched
    // Shows the entries found for the typed words (row identities in date order).
    std::function<void(const QString& typed, const std::vector<qint64>& rows)> showFound;
    std::function<void()> showAllPictures;
};

class EntrySearch : public QObject {
    Q_OBJECT
public:
    explicit EntrySearch(const EntrySearchParts& parts);
    ~EntrySearch() override;

    // Searches for the box's words now (Return does this).
    void searchNow();

Q_SIGNALS:
    // The entry list shows a search's result: `entries` found (0: the list says so).
    void resultShown(int entries);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Worker;

    void typed(const QString& text);
    void returnToAllPictures();
    // Empties the box without a search or a return to All Pictures: another filter was chosen.
    void clearQuietly();
    void dropRunningSearch();
    void deliver(int generation, const QString& typed, const std::vector<qint64>& rows);

    EntrySearchParts parts_;
    QTimer pause_;
    QThreadPool thread_; // one thread: searches run one after the other
    std::unique_ptr<Worker> worker_;
    int generation_ = 0;         // the newest search; a result of an older one is dropped
    bool showingResult_ = false; // the list shows a search's result (or one is on its way)
};

} // namespace wk::search
