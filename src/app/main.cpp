// Wanderkeep starts with its intro window; the intro's load handler is the whole start-up.
#include "controls/Picture.h"
#include "controls/Prompts.h"
#include "controls/VideoPlayer.h"
#include "shell/JetConversionOffer.h"
#include "shell/ScrapbookChoice.h"
#include "shell/ScrapbookWindows.h"
#include "shell/TerminalImport.h"
#include "shell/TerminalCopy.h"
#include "shell/TerminalSearch.h"
#include "store/Clock.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    // The terminal forms are told apart before any application object exists: they need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const wk::shell::TerminalRequest request = wk::shell::readTerminalRequest(arguments);
    switch (request.kind) {
    case wk::shell::TerminalRequest::Help:
        std::printf("%s", qPrintable(wk::shell::terminalHelp()));
        return 0;
    case wk::shell::TerminalRequest::Wrong:
        std::fprintf(stderr, "wanderkeep: %s\n\n%s", qPrintable(request.problem),
                     qPrintable(wk::shell::terminalHelp()));
        return 2;
    case wk::shell::TerminalRequest::Import: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Wanderkeep"));
        wk::controls::limitPictureMemory();
        return wk::shell::runTerminalImport(request.import, QDir::currentPath());
    }
    case wk::shell::TerminalRequest::Search: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Wanderkeep"));
        return wk::shell::runTerminalSearch(request.search, QDir::currentPath());
    }
    case wk::shell::TerminalRequest::Copy: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Wanderkeep"));
        return wk::shell::runTerminalCopy(request.copy);
    }
    case wk::shell::TerminalRequest::Window:
        break;
    }

    wk::controls::chooseMediaBackend();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wanderkeep"));
    wk::controls::limitPictureMemory();
    wk::controls::QtPrompts prompts;
    const wk::store::SystemClock clock;
    // The program's folder: the one named on the command line, the working folder, the scrapbook
    // opened last, or one the user chooses.
    const std::optional<QString> folder =
        wk::shell::chooseScrapbookFolder(QApplication::arguments().mid(1), QDir::currentPath(), prompts);
    if (!folder)
        return 0;
    // A server that wants a password is asked for it here; this computer's folder for a server
    // scrapbook is asked the first time.
    const std::optional<wk::store::ScrapbookLocation> scrapbook =
        wk::shell::startingScrapbook(*folder, prompts);
    if (!scrapbook)
        return 0;
    wk::shell::ScrapbookWindows windows(prompts, clock, &wk::shell::offerJetConversion);
    QObject::connect(&windows, &wk::shell::ScrapbookWindows::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    windows.open(*scrapbook);
    return QApplication::exec();
}
