// The facts an import reads off names and places: the day in a file name, the title of a folder,
// whether a source is removable.
#include "import/ImportNaming.h"

#include <gtest/gtest.h>

using wk::importing::dateInFileName;
using wk::importing::looksRemovable;
using wk::importing::titleFor;

TEST(ImportNaming, FileNamesOfPhonesAndAppsGiveTheirDayAndNothingElseDoes)
{
    const struct {
        const char* name;
        QDate day;
    } cases[] = {
        {"IMG-20230715-WA0001.jpg", {2023, 7, 15}},
        {"IMG_20230715_123456.jpg", {2023, 7, 15}},
        {"PXL_20230716_101010123.jpg", {2023, 7, 16}},
        {"VID_20220709_100000.mp4", {2022, 7, 9}},
        {"Screenshot_2023-07-15-10-11-12.png", {2023, 7, 15}},
        {"2023-07-15 12.34.56.jpg", {2023, 7, 15}},
        {"signal-2021-12-31-235959.jpg", {2021, 12, 31}},
        {"IMG_20231345_000000.jpg", {}}, // no 45th of the 13th month
        {"DSC01234.JPG", {}},
        {"IMG_1234567890.jpg", {}}, // too many digits to be a day
        {"holiday 2023.jpg", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dateInFileName(QString::fromUtf8(c.name)), c.day);
    }
}

TEST(ImportNaming, AFolderAPersonNamedIsTheTitleAndADevicesFolderGivesTheDay)
{
    const QDate day(2023, 7, 15);
    const struct {
        const char* folder;
        const char* title;
    } cases[] = {
        {"Lake trip with Grandma", "Lake trip with Grandma"},
        {"Café in München", "Café in München"},
        {"DCIM", "July 15, 2023"},
        {"Camera", "July 15, 2023"},
        {"100CANON", "July 15, 2023"},
        {"100APPLE", "July 15, 2023"},
        {"Screenshots", "July 15, 2023"},
        {"WhatsApp Images", "July 15, 2023"},
        {"2023-07-15", "July 15, 2023"},
        {"2023", "July 15, 2023"},
        {"", "July 15, 2023"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(titleFor(QString::fromUtf8(c.folder), day), QString::fromUtf8(c.title));
    }
}

TEST(ImportNaming, CardsPhonesAndCameraFoldersAreCopiedByDefault)
{
    EXPECT_TRUE(looksRemovable(QStringLiteral("/media/anna/CARD")));
    EXPECT_TRUE(looksRemovable(QStringLiteral("/run/media/anna/PHONE/Pictures")));
    EXPECT_TRUE(looksRemovable(QStringLiteral("/run/user/1000/gvfs/mtp:host=Pixel/Internal/DCIM")));
    EXPECT_TRUE(looksRemovable(QStringLiteral("/home/anna/backup/DCIM")));
    EXPECT_TRUE(looksRemovable(QStringLiteral("/home/anna/backup/dcim/100CANON")));
    EXPECT_FALSE(looksRemovable(QStringLiteral("/home/anna/Pictures/Holidays")));
    EXPECT_FALSE(looksRemovable(QStringLiteral("/home/anna/mediathek")));
}
