#include "shell/TerminalSearch.h"

#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/EntryWords.h"
#include "store/Queries.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <cstdio>

namespace wk::shell {

namespace {

// One line of output: tabs and line breaks inside a field would break it into columns or lines.
QString oneLine(QString text)
{
    for (const QChar breaker : {QLatin1Char('\t'), QLatin1Char('\n'), QLatin1Char('\r')})
        text.replace(breaker, QLatin1Char(' '));
    return text;
}

} // namespace

int runTerminalSearch(const TerminalSearch& request, const QString& workingFolder)
{
    if (!store::hasSearchWords(request.words))
        return cannotInTerminal(QStringLiteral("\"%1\" holds no word to search for").arg(request.words));
    const std::optional<QString> folder = terminalScrapbookFolder(request.scrapbook, workingFolder);
    if (!folder)
        return cannotInTerminal(
            request.scrapbook.isEmpty()
                ? QStringLiteral("no scrapbook to search; name its folder after the words")
                : QStringLiteral("there is no scrapbook folder or file %1")
                      .arg(QDir::toNativeSeparators(request.scrapbook)));
    QString why;
    const std::optional<store::ScrapbookLocation> scrapbook =
        terminalScrapbook(*folder, QStringLiteral("that can be searched"), why);
    if (!scrapbook)
        return cannotInTerminal(why);
    const QString& database = scrapbook->database();
    int found = 0;
    try {
        store::ConnectionPool pool;
        store::DataSource entries(pool, QStringLiteral("search"));
        entries.setDatabaseName(database);
        entries.setRecordSource(store::queries::entriesWithWords(request.words));
        entries.refresh();
        for (; !entries.eof(); entries.moveNext(), ++found) {
            const QDate date = store::fieldDate(entries, store::kDateField);
            std::printf("%s\t%s\t%s\n", qPrintable(date.toString(Qt::ISODate)),
                        qPrintable(oneLine(store::fieldText(entries, store::kTitleField))),
                        qPrintable(oneLine(store::fieldText(entries, store::kPictureField))));
        }
    } catch (const store::StoreError& error) {
        std::fflush(stdout);
        return cannotInTerminal(error.message());
    }
    return found > 0 ? 0 : 1;
}

} // namespace wk::shell
