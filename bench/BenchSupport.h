#pragma once
// What every benchmark program shares: no question is ever asked, the offscreen platform unless
// another one is chosen, and the median of a few timed runs.
#include "controls/Picture.h"
#include "controls/Prompts.h"
#include "shell/MainWindow.h"
#include "shell/IntroWindow.h"
#include "store/Clock.h"
#include "LargeScrapbook.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <QElapsedTimer>
#include <QList>
#include <memory>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace wk::bench {

class SilentPrompts : public controls::Prompts {
public:
    bool askYesNo(const QString&, const QString&, bool) override { return false; }
    void tell(const QString&, const QString&, controls::MessageIcon) override {}
    QString chooseOpenFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseSaveFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseFolder(const controls::FileDialogRequest&) override { return {}; }
};

// Call before the QApplication is made: the offscreen platform unless another one is chosen,
// and the picture memory limit the program sets at start-up.
inline void prepareBenchmarkProcess()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    controls::limitPictureMemory();
}

// Call before the QApplication is made: a 1920x1080 screen for the offscreen platform (unless
// another platform is chosen), described in a file in `dir`. False when the file cannot be written.
inline bool useFullHdScreen(const QTemporaryDir& dir)
{
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(R"({"windowFrameMargins":false,"screens":[{"name":"FullHD","x":0,"y":0,"width":1920,)"
               R"("height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    file.close();
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    return true;
}

// "VmRSS" (now) or "VmHWM" (peak) of this process, in bytes; 0 where /proc cannot be read.
inline double processMemory(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() * 1024;
    return 0;
}

// The scrapbook sizes named on the command line, or `defaults` when none is.
inline QList<int> sizesFromArgs(int argc, char** argv, const QList<int>& defaults)
{
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    return sizes.isEmpty() ? defaults : sizes;
}

// The benchmarks write their large scrapbook in a process of their own ("SELF --write FOLDER
// ENTRIES"), so its memory is not the measured process's: true when this process is that one, once
// the scrapbook is written with pictures of `pictureSize`.
inline bool wroteScrapbookAsAsked(int argc, char** argv, QSize pictureSize = QSize(1600, 1200))
{
    if (argc != 4 || QByteArray(argv[1]) != "--write")
        return false;
    prepareBenchmarkProcess();
    QGuiApplication app(argc, argv); // the picture encoders need one
    const int entries = std::atoi(argv[3]);
    sample::writeLargeScrapbook(QString::fromLocal8Bit(argv[2]), entries, entries > 0 ? 20 : 1,
                                entries > 0 ? pictureSize : QSize(64, 48));
    return true;
}

// Starts the program on the folder `services` name as a user does, through the intro window.
inline std::unique_ptr<shell::MainWindow> startProgram(const shell::MainWindowServices& services)
{
    auto* intro = new shell::IntroWindow(services);
    intro->setAttribute(Qt::WA_DeleteOnClose);
    return intro->load();
}

// Writes a large scrapbook of `entries` into `dir` and starts the program on it.
inline std::unique_ptr<shell::MainWindow> startOnLargeScrapbook(const QTemporaryDir& dir, int entries,
                                                                int distinctPictures, QSize pictureSize,
                                                                controls::Prompts& prompts,
                                                                const store::Clock& clock)
{
    sample::writeLargeScrapbook(dir.path(), entries, distinctPictures, pictureSize);
    return startProgram({prompts, dir.path(), clock});
}

template <class F>
double medianMs(int runs, F&& f)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int r = 0; r < runs; ++r) {
        timer.start();
        f();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace wk::bench
