// A step the skip rule swallows leaves a trace in the log, but only when the logging rules ask.
#include "controls/Steps.h"
#include "store/StoreError.h"

#include <QLoggingCategory>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Captures the program's own log lines ("category: message") while it lives, under `rules`;
// the handler and the rules before it come back after.
class CapturedLog {
public:
    explicit CapturedLog(const QString& rules)
    {
        lines().clear();
        QLoggingCategory::setFilterRules(rules);
        previous_ = qInstallMessageHandler(&capture);
    }
    ~CapturedLog()
    {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    static QStringList& lines()
    {
        static QStringList captured;
        return captured;
    }

private:
    static void capture(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        const QString category = QString::fromUtf8(context.category);
        if (category.startsWith(QStringLiteral("wanderkeep.")))
            lines() << category + QStringLiteral(": ") + message;
    }

    QtMessageHandler previous_ = nullptr;
};

const QString kLocked = QStringLiteral("Cannot read Velmora.mdb: database is locked");

void lockedScrapbookStep() { throw wk::store::StoreError(kLocked); }

} // namespace

TEST(SkippedSteps, LogTheFailureAndTheCallersLineOnlyWhenTheRulesAskForIt)
{
    using wk::controls::skipStep;
    {
        CapturedLog log(QStringLiteral("wanderkeep.*=true"));
        EXPECT_TRUE(skipStep([] {}));
        EXPECT_TRUE(log.lines().isEmpty()) << "a step that worked is not logged";

        const int line = __LINE__ + 1;
        EXPECT_FALSE(skipStep(lockedScrapbookStep));
        ASSERT_EQ(log.lines().size(), 1) << log.lines().join('\n').toStdString();
        const QString logged = log.lines().constFirst();
        EXPECT_TRUE(logged.startsWith(QStringLiteral("wanderkeep.ui: "))) << logged.toStdString();
        EXPECT_TRUE(logged.contains(kLocked)) << logged.toStdString();
        EXPECT_TRUE(logged.contains(QStringLiteral("SkippedStepsTest.cpp:%1").arg(line)))
            << logged.toStdString();
    }
    {
        CapturedLog log{QString()}; // the program's defaults
        EXPECT_FALSE(skipStep(lockedScrapbookStep));
        EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join('\n').toStdString();
    }
}
