// Recognising Access files and their passwords, and turning Jet dates into storage form.
#include "JetTestFiles.h"
#include "store/jet/JetHeader.h"
#include "store/jet/JetValue.h"

#include <gtest/gtest.h>

using namespace wk::store::jet;
using wk::testing::fileBytes;
using wk::testing::sharedJetFile;

TEST(JetHeader, RecognisesRealJet3AndJet4FilesWithoutPassword)
{
    if (!QFile::exists(sharedJetFile(QStringLiteral("nwind.mdb"))))
        GTEST_SKIP() << "shared Jet files absent";
    const JetHeader jet3 = readJetHeader(sharedJetFile(QStringLiteral("nwind.mdb")));
    EXPECT_EQ(jet3.version, JetVersion::Jet3);
    EXPECT_FALSE(jet3.hasPassword);
    const JetHeader jet4 = readJetHeader(sharedJetFile(QStringLiteral("DateTestDatabase.mdb")));
    EXPECT_EQ(jet4.version, JetVersion::Jet4);
    EXPECT_FALSE(jet4.hasPassword);
}

TEST(JetHeader, SeesAPasswordInBothVersions)
{
    for (const char* name : {"nwind.mdb", "DateTestDatabase.mdb"}) {
        const QByteArray page = fileBytes(sharedJetFile(QString::fromLatin1(name))).left(4096);
        if (page.isEmpty())
            GTEST_SKIP() << "shared Jet files absent";
        const JetHeader protectedHeader = parseJetHeader(withPassword(page, "secret"));
        EXPECT_NE(protectedHeader.version, JetVersion::NotJet) << name;
        EXPECT_TRUE(protectedHeader.hasPassword) << name;
    }
}

TEST(JetHeader, ForeignFilesAreNotJet)
{
    QByteArray sqliteHeader("SQLite format 3");
    sqliteHeader.append('\0');
    sqliteHeader.append(QByteArray(200, '\0'));
    EXPECT_EQ(parseJetHeader(sqliteHeader).version, JetVersion::NotJet);
    EXPECT_EQ(parseJetHeader(QByteArray()).version, JetVersion::NotJet);
    QByteArray shortJet("\x00\x01\x00\x00Standard Jet DB", 19); // too short to be a first page
    EXPECT_EQ(parseJetHeader(shortJet).version, JetVersion::NotJet);
    EXPECT_EQ(readJetHeader(QStringLiteral("/nonexistent/Velmora.mdb")).version, JetVersion::NotJet);
}

TEST(JetDate, StorageFormKeepsTimeOnlyWhenThereIsOne)
{
    struct Case {
        double jet;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, "1899-12-30"},
        {1.0, "1899-12-31"},
        {36161.0, "1999-01-01"},
        {36161.5, "1999-01-01 12:00:00"},
        {36161.75 + 1.0 / 86400, "1999-01-01 18:00:01"},
        {36161.0 + 0.4 / 86400, "1999-01-01"},     // under half a second: midnight
        {36161.0 + 86399.6 / 86400, "1999-01-02"}, // rounds up to the next midnight
        {-1.25, "1899-12-29 06:00:00"},            // before 1900 the fraction counts forward
        {-365.0, "1898-12-30"},
        {-657434.0, "0100-01-01"}, // the first day Access knows
        {2958465.0, "9999-12-31"}, // the last day Access knows
        {2958465.0 + 86399.0 / 86400, "9999-12-31 23:59:59"},
        {2958466.0, ""}, // past the year 9999
    };
    for (const Case& c : cases)
        EXPECT_EQ(jetDateToStorage(c.jet), QByteArray(c.expected)) << c.jet;
}
