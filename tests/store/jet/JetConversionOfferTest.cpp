// The start-up offer on a file that cannot be converted: the reason is told and the file kept
// (Yes and No on a good file are answered in the start-up tests).
#include "JetTestFiles.h"
#include "ScriptedPrompts.h"
#include "shell/JetConversionOffer.h"
#include "store/jet/JetHeader.h"

#include <gtest/gtest.h>

using namespace wk::testing;

TEST(JetConversionOffer, AProtectedFileIsExplainedAndKept)
{
    QTemporaryDir dir;
    const QString path = copyAsScrapbook(dir.path(), QStringLiteral("DateTestDatabase.mdb"));
    if (path.isEmpty())
        GTEST_SKIP() << "shared Jet files absent";
    const QByteArray whole = fileBytes(path);
    const QByteArray locked = wk::store::jet::withPassword(whole.left(4096), "secret") + whole.mid(4096);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(locked);
    }
    ScriptedPrompts prompts;
    prompts.yesNoAnswers.enqueue(true);
    EXPECT_FALSE(wk::shell::offerJetConversion(prompts, nullptr, path));
    ASSERT_EQ(prompts.toldTexts().size(), 1);
    EXPECT_TRUE(prompts.toldTexts()[0].contains(QLatin1String("password")));
    EXPECT_EQ(prompts.asked.last().icon, wk::controls::MessageIcon::Critical);
    EXPECT_EQ(fileBytes(path), locked);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});
}
