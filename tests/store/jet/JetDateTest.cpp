// Recognising Access files and their passwords, and turning Jet dates into storage form.
#include "JetTestFiles.h"
#include "store/jet/JetHeader.h"
#include "store/jet/JetValue.h"

#include <gtest/gtest.h>

using namespace wk::store::jet;
using wk::testing::fileBytes;
using wk::testing::sharedJetFile;

TEST(JetHeader, TellsTheVersionAndAPasswordOfRealFilesAndNothingOfForeignOnes)
{
    for (const auto& [name, version] :
         {std::pair{"nwind.mdb", JetVersion::Jet3}, std::pair{"DateTestDatabase.mdb", JetVersion::Jet4}}) {
        const QString file = sharedJetFile(QString::fromLatin1(name));
        if (!QFile::exists(file))
            GTEST_SKIP() << "shared Jet files absent";
        const JetHeader plain = readJetHeader(file);
        EXPECT_EQ(plain.version, version) << name;
        EXPECT_FALSE(plain.hasPassword) << name;
        const JetHeader locked = parseJetHeader(withPassword(fileBytes(file).left(4096), "secret"));
        EXPECT_EQ(locked.version, version) << name;
        EXPECT_TRUE(locked.hasPassword) << name;
    }
    QByteArray sqliteHeader("SQLite format 3");
    sqliteHeader.append(QByteArray(201, '\0'));
    for (const QByteArray& foreign :
         {sqliteHeader, QByteArray(), QByteArray("\x00\x01\x00\x00Standard Jet DB", 19)})
        EXPECT_EQ(parseJetHeader(foreign).version, JetVersion::NotJet); // the last too short for a first page
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
