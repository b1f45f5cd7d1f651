// A step the skip rule swallows leaves a trace in the log, but only when the logging rules ask.
#include "controls/Steps.h"
#include "store/StoreError.h"

#include <QLoggingCategory>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The program's own log lines ("category: message") captured under the logging rules a test sets.
QStringList logged;

void capture(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    const QString category = QString::fromUtf8(context.category);
    if (category.startsWith(QStringLiteral("wanderkeep.")))
        logged << category + QStringLiteral(": ") + message;
}

const QString kLocked = QStringLiteral("Cannot read Velmora.mdb: database is locked");

void lockedScrapbookStep() { throw wk::store::StoreError(kLocked); }

} // namespace

TEST(SkippedSteps, LogTheFailureAndTheCallersLineOnlyWhenTheRulesAskForIt)
{
    using wk::controls::skipStep;
    const QtMessageHandler previous = qInstallMessageHandler(&capture);
    QLoggingCategory::setFilterRules(QStringLiteral("wanderkeep.*=true"));
    EXPECT_TRUE(skipStep([] {}));
    EXPECT_TRUE(logged.isEmpty()) << "a step that worked is not logged";
    const int line = __LINE__ + 1;
    EXPECT_FALSE(skipStep(lockedScrapbookStep));
    const QString all = logged.join('\n');
    ASSERT_EQ(logged.size(), 1) << all.toStdString();
    EXPECT_TRUE(all.startsWith(QStringLiteral("wanderkeep.ui: "))) << all.toStdString();
    EXPECT_TRUE(all.contains(kLocked)) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("SkippedStepsTest.cpp:%1").arg(line))) << all.toStdString();

    logged.clear();
    QLoggingCategory::setFilterRules(QString()); // the program's defaults
    EXPECT_FALSE(skipStep(lockedScrapbookStep));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(logged.isEmpty()) << logged.join('\n').toStdString();
}
