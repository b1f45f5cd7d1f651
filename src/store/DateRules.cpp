#include "store/DateRules.h"

#include <QRegularExpression>

namespace wk::dates {

namespace {

// 1..12 for a full or abbreviated English month name ("Jun", "June", "Sept"), else 0.
int monthFromWord(const QString& word)
{
    const QString w = word.toLower();
    if (w.size() < 3)
        return 0;
    const QStringList& names = monthNames();
    for (int i = 0; i < 12; ++i) {
        const QString full = names.at(i).toLower();
        if (w == full || w == full.left(3))
            return i + 1;
    }
    if (w == QLatin1String("sept"))
        return 9;
    return 0;
}

// A year as written: one or two digits follow the 00-29 / 30-99 rule, four digits stand as
// they are. Three digits and more than four are not years. -1 when not a year.
int yearFromToken(const QString& token)
{
    bool ok = false;
    const int value = token.toInt(&ok);
    if (!ok)
        return -1;
    if (token.size() <= 2)
        return value < 30 ? 2000 + value : 1900 + value;
    if (token.size() == 4 && value >= 100)
        return value;
    return -1;
}

// Day or month number of at most two digits; -1 otherwise.
int smallNumber(const QString& token)
{
    if (token.isEmpty() || token.size() > 2)
        return -1;
    return token.toInt();
}

struct Token {
    QString text;
    bool number;
};

std::optional<QDate> parseDatePart(const QString& text)
{
    static const QRegularExpression tokenPattern(QStringLiteral("(\\d+)|([A-Za-z]+)|([\\s/\\-.,]+)|(.)"));
    std::vector<Token> tokens;
    auto it = tokenPattern.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.hasCaptured(4))
            return std::nullopt; // a character that has no place in a date
        if (m.hasCaptured(1))
            tokens.push_back({m.captured(1), true});
        else if (m.hasCaptured(2))
            tokens.push_back({m.captured(2), false});
    }

    int year = -1;
    int month = -1;
    int day = -1;
    const auto shape = [&tokens]() {
        QString s;
        for (const Token& t : tokens)
            s += t.number ? QLatin1Char('n') : QLatin1Char('w');
        return s;
    }();

    if (shape == QLatin1String("nnn")) {
        if (tokens[0].text.size() == 4) { // year first: 1998-06-15, 1998/6/15
            year = yearFromToken(tokens[0].text);
            month = smallNumber(tokens[1].text);
            day = smallNumber(tokens[2].text);
        } else { // month first: 6/15/1998, 6-15-98, 6 15 1998
            month = smallNumber(tokens[0].text);
            day = smallNumber(tokens[1].text);
            year = yearFromToken(tokens[2].text);
        }
    } else if (shape == QLatin1String("wnn")) { // December 1, 1998
        month = monthFromWord(tokens[0].text);
        day = smallNumber(tokens[1].text);
        year = yearFromToken(tokens[2].text);
    } else if (shape == QLatin1String("nwn")) { // 1 December 1998
        day = smallNumber(tokens[0].text);
        month = monthFromWord(tokens[1].text);
        year = yearFromToken(tokens[2].text);
    } else if (shape == QLatin1String("wn") && tokens[1].text.size() == 4) { // June 1998
        month = monthFromWord(tokens[0].text);
        day = 1;
        year = yearFromToken(tokens[1].text);
    } else if (shape == QLatin1String("nn") && tokens[1].text.size() == 4) { // 6/1998
        month = smallNumber(tokens[0].text);
        day = 1;
        year = yearFromToken(tokens[1].text);
    } else {
        return std::nullopt;
    }
    if (year < 0 || month < 1 || day < 1)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDateTime> parseDateTime(const QString& text)
{
    // An optional time of day at the end: "10:30", "10:30:15", "10:30 PM".
    static const QRegularExpression timePattern(
        QStringLiteral("(?:^|[\\sT])(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?\\s*$"));
    QString datePart = text;
    QTime time(0, 0);
    const auto m = timePattern.match(text);
    if (m.hasMatch()) {
        int hour = m.captured(1).toInt();
        const int minute = m.captured(2).toInt();
        const int second = m.hasCaptured(3) ? m.captured(3).toInt() : 0;
        if (m.hasCaptured(4)) {
            if (hour < 1 || hour > 12)
                return std::nullopt;
            const bool pm = m.captured(4).compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
            hour = (hour % 12) + (pm ? 12 : 0);
        }
        time = QTime(hour, minute, second);
        if (!time.isValid())
            return std::nullopt;
        datePart = text.left(m.capturedStart(0));
    }
    const auto date = parseDatePart(datePart);
    if (!date)
        return std::nullopt;
    return QDateTime(*date, time);
}

std::optional<QDate> parseDate(const QString& text)
{
    const auto dt = parseDateTime(text);
    if (!dt)
        return std::nullopt;
    return dt->date();
}

bool isValidDate(const QString& text) { return parseDateTime(text).has_value(); }

const QStringList& monthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    return names;
}

QString monthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return monthNames().at(month - 1);
}

QString formatLong(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1 %2, %3")
        .arg(monthName(d.month()))
        .arg(d.day())
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString formatMonthYear(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1 %2").arg(monthName(d.month())).arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString formatMonthYearBlank(const QDate& d)
{
    if (!d.isValid())
        return {};
    return formatMonthYear(d) + QLatin1Char(' ');
}

QString formatDayListing(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1  ").arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString formatDayPrinted(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1 ").arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString formatShort(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString toStorage(const QDate& d)
{
    if (!d.isValid())
        return {};
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString toStorage(const QDateTime& dt)
{
    if (!dt.isValid())
        return {};
    const QTime t = dt.time();
    if (t == QTime(0, 0))
        return toStorage(dt.date());
    return toStorage(dt.date()) + QLatin1Char(' ') + t.toString(QStringLiteral("HH:mm:ss"));
}

namespace {
const QRegularExpression& storagePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.\\d+)?)?)?$"));
    return pattern;
}
} // namespace

namespace {
// Character `i` of a text of either kind, as a code unit.
char16_t unitAt(const QString& text, int i) { return text.at(i).unicode(); }
char16_t unitAt(QByteArrayView text, int i) { return char16_t(uchar(text.at(i))); }

// Digits at [from, from + count) as a number; -1 when any is not a digit.
template <class Text>
int digitsAt(const Text& text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = unitAt(text, i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

template <class Text>
std::optional<QDate> dayFromStorageText(const Text& text)
{
    if (text.size() != 10 || unitAt(text, 4) != u'-' || unitAt(text, 7) != u'-')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4);
    if (year < 0)
        return std::nullopt;
    const QDate date(year, digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}
} // namespace

std::optional<QDate> dayFromStorage(const QString& text) { return dayFromStorageText(text); }

std::optional<QDate> dayFromStorage(QByteArrayView utf8) { return dayFromStorageText(utf8); }

std::optional<QDateTime> fromStorage(const QString& text)
{
    // The common forms without the regular expression: reading a large set reads many dates.
    if ((text.size() == 10 || (text.size() == 19 && text.at(10) == QLatin1Char(' '))) &&
        text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-')) {
        const int year = digitsAt(text, 0, 4);
        if (year < 0) // a negative year would make a valid QDate
            return std::nullopt;
        const QDate date(year, digitsAt(text, 5, 2), digitsAt(text, 8, 2));
        QTime time(0, 0);
        if (text.size() == 19) {
            if (text.at(13) != QLatin1Char(':') || text.at(16) != QLatin1Char(':'))
                return std::nullopt;
            time = QTime(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
        }
        if (!date.isValid() || !time.isValid())
            return std::nullopt;
        return QDateTime(date, time);
    }
    const auto m = storagePattern().match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QTime time(0, 0);
    if (m.hasCaptured(4))
        time =
            QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.hasCaptured(6) ? m.captured(6).toInt() : 0);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

bool storageHasTime(const QString& text)
{
    if (text.size() == 10)
        return false;
    const auto m = storagePattern().match(text);
    return m.hasMatch() && m.hasCaptured(4);
}

} // namespace wk::dates
