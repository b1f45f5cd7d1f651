#pragma once
// Hears of what other computers change in a server scrapbook, without asking the server anything,
// and keeps the connection: when it is lost, the server is asked on a thread of its own, once a
// second, whether it answers again, and the connection is made anew as soon as it does.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

class QSocketNotifier;

namespace wk::store {

class Connection;

class ChangeWatcher : public QObject {
    Q_OBJECT
public:
    // Watches `connection`; a file scrapbook has nothing to watch, and nothing is done for it.
    explicit ChangeWatcher(std::shared_ptr<Connection> connection, QObject* parent = nullptr);
    ~ChangeWatcher() override;

    // True while the connection is lost and being renewed.
    bool waitsForServer() const;

Q_SIGNALS:
    // Another connection wrote, or the connection was made anew after a loss (whatever changed
    // meanwhile went unheard): what is shown should be read again.
    void othersChanged();
    // The connection was lost; the watcher renews it by itself.
    void connectionLost();

private:
    void watchSocket();
    void readNotices();
    void keepConnected();

    std::shared_ptr<Connection> connection_;
    QSocketNotifier* notices_ = nullptr;
    // Looks, without asking the server, whether the connection is still the one watched; while
    // it is lost, renews it.
    QTimer keeper_;
    QElapsedTimer sinceAsked_;
    qint64 seen_ = 0;
    // The last answer check running on its thread: -1 while it runs, else 1 (answers) or 0.
    std::shared_ptr<std::atomic<int>> answer_;
};

} // namespace wk::store
