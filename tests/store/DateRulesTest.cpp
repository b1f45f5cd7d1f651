#include "store/DateRules.h"

#include <gtest/gtest.h>

using namespace wk::dates;

TEST(DateRules, ReadsMonthFirstInEveryFormTheProgramMeets)
{
    const std::pair<const char*, QDate> dates[] = {
        // The forms the program itself writes.
        {" 6/15/ 1998", QDate(1998, 6, 15)},
        {"12 / 1 / 1998", QDate(1998, 12, 1)},
        {"6/01/1998", QDate(1998, 6, 1)},
        {"December 1, 1998", QDate(1998, 12, 1)},
        {" 6 1, 1998", QDate(1998, 6, 1)},
        {"Dec 1 1998", QDate(1998, 12, 1)},
        {"dec. 1, 1998", QDate(1998, 12, 1)},
        {"June  1998", QDate(1998, 6, 1)},
        {"15 June 1998", QDate(1998, 6, 15)},
        {"6 1 1998", QDate(1998, 6, 1)},
        {"6-1-98", QDate(1998, 6, 1)},
        {"6.1.1998", QDate(1998, 6, 1)},
        {"6/1998", QDate(1998, 6, 1)},
        {"2/29/2000", QDate(2000, 2, 29)},
        {"  7/4/1998  ", QDate(1998, 7, 4)},
        // Two-digit years: 00-29 are this century, 30-99 the last.
        {"1/2/00", QDate(2000, 1, 2)},
        {"1/2/29", QDate(2029, 1, 2)},
        {"1/2/30", QDate(1930, 1, 2)},
        {"1/2/99", QDate(1999, 1, 2)},
        {"1/2/5", QDate(2005, 1, 2)},
        // Storage form.
        {"1998-06-15", QDate(1998, 6, 15)},
        {"1998-06-15 10:30:00", QDate(1998, 6, 15)},
        {"1998-06-15T10:30", QDate(1998, 6, 15)},
        {"6/15/1998 10:30 PM", QDate(1998, 6, 15)},
    };
    for (const auto& [text, date] : dates) {
        EXPECT_EQ(parseDate(text), date) << text;
        EXPECT_TRUE(isValidDate(text)) << text;
    }
    for (const char* text :
         {"", "     ", "2/30/1998", "2/29/1999", "13/1/1998", "0/1/1998", "6/15", "6/15/998", "Junk 1, 1998",
          "June 15", "6/15/1998 25:00", "6/15/1998x", "6;15;1998", "1998-13-01", "1/2/3/4"}) {
        EXPECT_FALSE(parseDate(text).has_value()) << text;
        EXPECT_FALSE(isValidDate(text)) << text;
    }
}

TEST(DateRules, KeepsTimeOfDayWhenGivenAndStoresItOnlyWhenThereIsOne)
{
    const std::pair<const char*, QDateTime> times[] = {
        {"1998-06-15 10:30:15", QDateTime(QDate(1998, 6, 15), QTime(10, 30, 15))},
        {"6/15/1998 10:30 PM", QDateTime(QDate(1998, 6, 15), QTime(22, 30))},
        {"6/15/1998 12:05 AM", QDateTime(QDate(1998, 6, 15), QTime(0, 5))},
        {"6/15/1998", QDateTime(QDate(1998, 6, 15), QTime(0, 0))},
    };
    for (const auto& [text, time] : times)
        EXPECT_EQ(parseDateTime(text), time) << text;
    EXPECT_FALSE(parseDateTime("6/15/1998 13:00 PM").has_value());

    EXPECT_EQ(toStorage(QDateTime(QDate(1998, 6, 5), QTime(0, 0))), "1998-06-05");
    EXPECT_EQ(toStorage(QDateTime(QDate(1998, 6, 5), QTime(9, 7, 3))), "1998-06-05 09:07:03");
    EXPECT_EQ(toStorage(QDate()), "");
    const std::pair<const char*, QDateTime> stored[] = {
        {"1998-06-05", QDateTime(QDate(1998, 6, 5), QTime(0, 0))},
        {"1998-06-05 09:07:03", QDateTime(QDate(1998, 6, 5), QTime(9, 7, 3))},
        {"1998-06-05T09:07", QDateTime(QDate(1998, 6, 5), QTime(9, 7))},
    };
    for (const auto& [text, time] : stored) {
        EXPECT_EQ(fromStorage(text), time) << text;
        EXPECT_EQ(storageHasTime(text), time.time() != QTime(0, 0)) << text;
    }
    for (const char* bad : {"6/5/1998", "1998-6-5", "1998-02-30", "1998-06-05 25:00:00", "", "1998-06-05x",
                            "19x8-06-05", "1998-0x-05", "1998-06-05 09x07:03"})
        EXPECT_FALSE(fromStorage(bad).has_value()) << bad;
}

TEST(DateRules, FormatsTheListingPatternsAndReadsThemBack)
{
    const QDate july4(1998, 7, 4);
    EXPECT_EQ(formatLong(july4), "July 4, 1998");
    EXPECT_EQ(formatMonthYear(july4), "July 1998");
    EXPECT_EQ(formatMonthYearBlank(july4), "July 1998 ");
    EXPECT_EQ(formatDayListing(july4), "04  ");
    EXPECT_EQ(formatDayPrinted(july4), "04 ");
    EXPECT_EQ(formatShort(QDate(2001, 12, 25)), "12/25/2001");
    EXPECT_EQ(formatLong(QDate()), "");
    EXPECT_EQ(formatDayListing(QDate()), "");
    EXPECT_EQ(QStringList({monthName(0), monthName(1), monthName(12), monthName(13)}),
              QStringList({"", "January", "December", ""}));

    for (QDate d(1998, 1, 1); d < QDate(2000, 3, 1); d = d.addDays(13)) {
        EXPECT_EQ(parseDate(formatLong(d)), d);
        EXPECT_EQ(parseDate(formatShort(d)), d);
        EXPECT_EQ(parseDate(toStorage(d)), d);
        EXPECT_EQ(parseDate(formatMonthYear(d)), QDate(d.year(), d.month(), 1));
    }
}
