// wanderkeep-sample DIR: writes the sample scrapbook into DIR (left alone when DIR already
// holds one, so the run command can be repeated).
#include "SampleScrapbook.h"

#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Only drawing into images: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: wanderkeep-sample DIR\n");
        return 2;
    }
    const QString dir = args.at(1);
    const QString existing =
        wk::store::findFileIgnoringCase(dir, QLatin1String(wk::store::kScrapbookFileName));
    if (QFileInfo(existing).isFile()) {
        std::printf("%s already holds a scrapbook; left as it is\n",
                    qPrintable(QDir::toNativeSeparators(dir)));
        return 0;
    }
    try {
        wk::sample::writeSampleScrapbook(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wanderkeep-sample: %s\n", e.what());
        return 1;
    }
    std::printf("Sample scrapbook written to %s\n",
                qPrintable(QDir::toNativeSeparators(QDir(dir).absolutePath())));
    return 0;
}
