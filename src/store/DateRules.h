#pragma once
// The one place that decides what a date text means and how dates are written.
//
// Reading is month first, the way the program's own code writes dates: " 6/15/ 1998",
// "12 / 1 / 1998", "6-15-98", "6.15.1998", "6 1 1998", "December 1, 1998", "Dec 1 1998",
// "June  1998" (the first of that month), "15 June 1998", "6/1998" (the first of that month), ISO
// "1998-06-15" (optionally with " HH:MM[:SS]"). Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999.
// Blanks around numbers and separators are ignored. Anything else, or an impossible day (2/30/1998), is not a
// date.
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace wk::dates {

// The date a text stands for, or nothing when it is not a valid date.
std::optional<QDate> parseDate(const QString& text);
// Same, keeping a time of day when the text carries one (ISO or "6/15/1998 10:30").
std::optional<QDateTime> parseDateTime(const QString& text);
bool isValidDate(const QString& text);

// "January" .. "December", index 0 .. 11.
const QStringList& monthNames();
QString monthName(int month); // 1..12; empty text outside

QString formatLong(const QDate& d);           // "mmmm d, yyyy"  -> "July 4, 1998"
QString formatMonthYear(const QDate& d);      // "MMMM yyyy"     -> "July 1998"
QString formatMonthYearBlank(const QDate& d); // "MMMM yyyy "    -> "July 1998 "
QString formatDayListing(const QDate& d);     // "dd  "          -> "04  "
QString formatDayPrinted(const QDate& d);     // "dd "           -> "04 "
QString formatShort(const QDate& d);          // the short date  -> "7/4/1998"

// Storage form: "YYYY-MM-DD", with " HH:MM:SS" only when there is a time of day.
QString toStorage(const QDate& d);
QString toStorage(const QDateTime& dt);
// A stored text back to a date / date-time; nothing when it is not in storage form
// ("YYYY-MM-DD", optionally followed by " HH:MM" or " HH:MM:SS", or "T" instead of the blank).
// A text without a time of day gives midnight; storageHasTime() tells the two apart.
std::optional<QDateTime> fromStorage(const QString& text);
// The plain day form "YYYY-MM-DD" alone, without building a date-time (reading large sets).
std::optional<QDate> dayFromStorage(const QString& text);
// The same for the stored UTF-8 bytes, without making a string of them.
std::optional<QDate> dayFromStorage(QByteArrayView utf8);
bool storageHasTime(const QString& text);

} // namespace wk::dates
