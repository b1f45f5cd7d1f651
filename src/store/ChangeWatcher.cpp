#include "store/ChangeWatcher.h"

#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/StoreLog.h"

#include <QSocketNotifier>
#include <thread>

namespace wk::store {

namespace {
constexpr int kConnectedLookMs = 1000; // a look at the connection itself: nothing is sent
constexpr int kLostLookMs = 250;
constexpr qint64 kAskEveryMs = 1000;
} // namespace

ChangeWatcher::ChangeWatcher(std::shared_ptr<Connection> connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection))
{
    if (connection_->changeSocket() < 0)
        return;
    seen_ = connection_->dataVersion();
    watchSocket();
    connect(&keeper_, &QTimer::timeout, this, &ChangeWatcher::keepConnected);
    keeper_.start(kConnectedLookMs);
}

ChangeWatcher::~ChangeWatcher() = default;

bool ChangeWatcher::waitsForServer() const { return connection_->isLost(); }

void ChangeWatcher::watchSocket()
{
    if (notices_)
        notices_->deleteLater(); // it may be the one whose signal runs now
    notices_ = new QSocketNotifier(connection_->changeSocket(), QSocketNotifier::Read, this);
    connect(notices_, &QSocketNotifier::activated, this, &ChangeWatcher::readNotices);
}

void ChangeWatcher::readNotices()
{
    const qint64 now = connection_->dataVersion(); // reads what arrived; sends nothing
    if (now < 0 || connection_->isLost()) {
        notices_->setEnabled(false);
        keeper_.start(kLostLookMs);
        qCInfo(storeLog).noquote() << "The connection to" << connection_->label() << "was lost";
        Q_EMIT connectionLost();
        return;
    }
    if (now != seen_) {
        seen_ = now;
        Q_EMIT othersChanged();
    }
}

void ChangeWatcher::keepConnected()
{
    if (!connection_->isLost()) {
        // Made anew, here or by a statement of the window's: the socket may be another one, and
        // what changed meanwhile went unheard.
        if (notices_->isEnabled() && notices_->socket() == connection_->changeSocket())
            return;
        keeper_.start(kConnectedLookMs);
        watchSocket();
        seen_ = connection_->dataVersion();
        Q_EMIT othersChanged();
        return;
    }
    if (notices_->isEnabled()) { // lost, and first seen here
        notices_->setEnabled(false);
        keeper_.start(kLostLookMs);
        Q_EMIT connectionLost();
    }
    if (answer_ && answer_->load() < 0)
        return; // still asking
    if (answer_ && answer_->load() == 1) {
        answer_.reset();
        try {
            connection_->reconnect();
        } catch (const StoreError& refused) {
            qCInfo(storeLog).noquote() << refused.message();
        }
        return; // the next look sees the connection renewed, or asks again
    }
    if (sinceAsked_.isValid() && sinceAsked_.elapsed() < kAskEveryMs)
        return;
    sinceAsked_.start();
    // Asked on a thread of its own, which may wait for the connection's timeout: the window never
    // does. The thread holds only its own copies, so it may outlive this watcher.
    answer_ = std::make_shared<std::atomic<int>>(-1);
    std::thread([check = connection_->answerCheck(), answer = answer_] {
        answer->store(check() ? 1 : 0);
    }).detach();
}

} // namespace wk::store
