// wanderkeep-convert ACCESS-FILE NEW-FILE
//
// The program's helper for converting an Access scrapbook: copies every table of ACCESS-FILE into
// the new SQLite file NEW-FILE and reports on its standard output, in the records of
// store/jet/ConversionRecords.h, how far it is, each table written, and the end or why it failed.
// It is a process of its own because libmdb trusts the file it reads (see
// store/jet/ConversionHelper.h, which starts it and sets its limits); nobody runs it by hand.
#include "store/jet/ConversionRecords.h"
#include "store/jet/TableCopy.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <unistd.h>

using namespace wk::store::jet;

namespace {

int recordChannel = -1;

void send(const ConversionRecord& record)
{
    const QByteArray bytes = encodeRecord(record);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(recordChannel, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            std::_Exit(3); // the program has gone: nobody is left to tell
        written += n;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ACCESS-FILE NEW-FILE\n", argv[0]);
        return 2;
    }
    // The records keep standard output to themselves: anything a library prints goes to the
    // error channel instead, where it cannot be taken for a record.
    recordChannel = ::dup(STDOUT_FILENO);
    if (recordChannel < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("wanderkeep-convert");
        return 2;
    }

    try {
        CopyReports reports;
        reports.progress = [](qint64 done, qint64 total) {
            send({ConversionRecord::Progress, done, total, {}});
        };
        reports.tableCopied = [](const QString& table, qint64 rows) {
            send({ConversionRecord::Table, rows, 0, table});
        };
        const CopyOutcome outcome =
            copyScrapbookTables(QFile::decodeName(argv[1]), QFile::decodeName(argv[2]), reports);
        send({ConversionRecord::Done, outcome.entryCount, outcome.rowCount, {}});
        return 0;
    } catch (const std::exception& e) {
        send({ConversionRecord::Failed, 0, 0, QString::fromUtf8(e.what())});
    } catch (...) {
        send({ConversionRecord::Failed, 0, 0, QStringLiteral("The conversion failed.")});
    }
    return 1;
}
