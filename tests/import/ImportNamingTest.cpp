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
    for (const char* named : {"Lake trip with Grandma", "Café in München"})
        EXPECT_EQ(titleFor(QString::fromUtf8(named), day), QString::fromUtf8(named));
    for (const char* device : {"DCIM", "Camera", "100CANON", "100APPLE", "Screenshots", "WhatsApp Images",
                               "2023-07-15", "2023", ""})
        EXPECT_EQ(titleFor(QString::fromUtf8(device), day), "July 15, 2023") << device;
}

TEST(ImportNaming, CardsPhonesAndCameraFoldersAreCopiedByDefault)
{
    for (const char* removable : {"/media/anna/CARD", "/run/media/anna/PHONE/Pictures",
                                  "/run/user/1000/gvfs/mtp:host=Pixel/Internal/DCIM",
                                  "/home/anna/backup/DCIM", "/home/anna/backup/dcim/100CANON"})
        EXPECT_TRUE(looksRemovable(removable)) << removable;
    for (const char* fixed : {"/home/anna/Pictures/Holidays", "/home/anna/mediathek"})
        EXPECT_FALSE(looksRemovable(fixed)) << fixed;
}
