// Times the conversion of an Access (Jet) file: copies it to a scratch folder as Velmora.mdb,
// converts it there and prints the time, the tables, the rows and the entries converted.
// Usage: jet_convert [file.mdb]   (default: the Northwind sample beside the project)
#include "store/jet/JetConversion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString source =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(WK_SHARED_DIR "/jet/nwind.mdb");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Velmora.mdb"));
    if (!dir.isValid() || !QFile::copy(source, target)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    try {
        QElapsedTimer timer;
        timer.start();
        int calls = 0;
        const auto result = wk::store::jet::convertJetScrapbook(target, [&](int, int) {
            ++calls;
            return true;
        });
        const qint64 ms = timer.elapsed();
        std::printf(
            "%s: converted in %lld ms (%d tables, %lld rows, %d entries, %d progress reports, %lld bytes)\n",
            qPrintable(source), static_cast<long long>(ms), result.tableCount,
            static_cast<long long>(result.rowCount), result.entryCount, calls,
            static_cast<long long>(QFile(target).size()));
    } catch (const wk::store::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
