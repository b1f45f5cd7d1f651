// Wanderkeep starts with its intro window; the intro's load handler is the whole start-up.
#include "controls/Picture.h"
#include "controls/Prompts.h"
#include "shell/JetConversionOffer.h"
#include "shell/MainWindow.h"
#include "shell/IntroWindow.h"
#include "shell/ScrapbookChoice.h"
#include "store/Clock.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
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
    auto* intro = new wk::shell::IntroWindow({prompts, *folder, clock});
    intro->setAttribute(Qt::WA_DeleteOnClose);
    intro->offerJetConversion = &wk::shell::offerJetConversion;
    const std::unique_ptr<wk::shell::MainWindow> mainWindow = intro->load();
    wk::shell::rememberScrapbookFolder(*folder);
    QObject::connect(mainWindow.get(), &wk::shell::MainWindow::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
