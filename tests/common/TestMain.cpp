#include "controls/Picture.h"
#include "controls/VideoPlayer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Tests never need a display: force the offscreen platform (on an 800x600 screen, where the
    // main window opens at its design size) unless the caller chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" WK_TEST_SCREEN);
    // Settings, caches and data go to a folder of this run, never to the user's own.
    const QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(variable, (home.path() + QLatin1Char('/') + QLatin1String(variable)).toLocal8Bit());
    // "--engine=server": this run keeps its scrapbooks on the run's PostgreSQL server (runsOnServer).
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--engine=server") == 0)
            qputenv("WK_TEST_ENGINE", "server");
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    testing::InitGoogleTest(&argc, argv);
    wk::controls::chooseMediaBackend(); // as the program does before its application exists
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wanderkeep")); // as the program names itself
    wk::controls::limitPictureMemory();                             // as the program does at start-up
    return RUN_ALL_TESTS();
}
