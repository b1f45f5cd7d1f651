#include "shell/WordsIndexStart.h"

#include "controls/UiLog.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/WordsIndex.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

namespace wk::shell {

namespace {
constexpr int kQuietMs = 500; // a build quicker than this shows no progress window
}

void prepareWordsIndex(QWidget* parent, const store::ScrapbookLocation& scrapbook)
{
    {
        store::Connection connection(scrapbook);
        if (connection.isReadOnly() || store::wordsIndexState(connection) == store::WordsIndexState::Current)
            return;
    }
    QProgressDialog progress(QStringLiteral("Preparing the search of your scrapbook..."), QString(), 0, 0,
                             parent);
    progress.setObjectName(QStringLiteral("SearchIndexProgress"));
    progress.setWindowTitle(QStringLiteral("Wanderkeep"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kQuietMs);
    progress.setValue(0);
    QPointer<QProgressDialog> shown(&progress);

    QFutureWatcher<QString> watcher;
    QEventLoop wait;
    QObject::connect(&watcher, &QFutureWatcher<QString>::finished, &wait, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([scrapbook, shown]() -> QString {
        try {
            store::Connection connection(scrapbook);
            store::buildWordsIndex(connection, [shown](qint64 done, qint64 total) {
                QMetaObject::invokeMethod(
                    shown.data(),
                    [shown, done, total] {
                        if (!shown)
                            return;
                        shown->setMaximum(int(std::min<qint64>(total, INT_MAX)));
                        shown->setValue(int(std::min<qint64>(done, INT_MAX)));
                    },
                    Qt::QueuedConnection);
            });
        } catch (const store::StoreError& error) {
            return error.message();
        }
        return {};
    }));
    wait.exec();
    if (const QString failure = watcher.result(); !failure.isEmpty())
        qCDebug(controls::uiLog).noquote() << QStringLiteral("no words index: %1").arg(failure);
}

} // namespace wk::shell
