// The start-up offer: Yes converts and tells the entry count, No and failures leave the file.
#include "JetTestFiles.h"
#include "ScriptedPrompts.h"
#include "shell/JetConversionOffer.h"
#include "store/jet/JetHeader.h"

#include <gtest/gtest.h>

using namespace wk::testing;

TEST(JetConversionOffer, YesConvertsAndTellsTheEntriesNoLeavesTheFile)
{
    QTemporaryDir dir;
    const QString path = copyAsScrapbook(dir.path(), QStringLiteral("DateTestDatabase.mdb"));
    if (path.isEmpty())
        GTEST_SKIP() << "shared Jet files absent";
    const QByteArray before = fileBytes(path);

    ScriptedPrompts no;
    no.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(wk::shell::offerJetConversion(no, nullptr, path));
    ASSERT_EQ(no.asked.size(), 1);
    EXPECT_EQ(no.asked[0].kind, QStringLiteral("yesno"));
    EXPECT_TRUE(no.asked[0].text.contains(QLatin1String("Velmora.mdb")));
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});

    ScriptedPrompts yes;
    yes.yesNoAnswers.enqueue(true);
    EXPECT_TRUE(wk::shell::offerJetConversion(yes, nullptr, path));
    ASSERT_EQ(yes.toldTexts().size(), 1);
    EXPECT_TRUE(yes.toldTexts()[0].startsWith(QLatin1String("0 entries were converted.")))
        << yes.toldTexts()[0].toStdString();
    EXPECT_TRUE(yes.toldTexts()[0].contains(QLatin1String("Velmora (Access original).mdb")));
    EXPECT_EQ(wk::store::jet::readJetHeader(path).version, wk::store::jet::JetVersion::NotJet);
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("Velmora (Access original).mdb"))), before);
}

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
