// Jet dates, days since 30 December 1899 with the time as a fraction, in storage form.
#include "store/jet/JetValue.h"

#include <gtest/gtest.h>

using namespace wk::store::jet;

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
