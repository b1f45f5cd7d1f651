#include "shell/ScrapbookChoice.h"

#include "controls/Prompts.h"
#include "shell/FamilyServer.h"
#include "shell/ServerFolder.h"
#include "shell/UserSettings.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/ScrapbookLocation.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace wk::shell {

namespace {

const QString kTitle = QStringLiteral("Wanderkeep");
const QString kLastFolderKey = QStringLiteral("Scrapbook/lastFolder");

bool holdsScrapbook(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(store::scrapbookFileIn(folder)).isFile();
}

// A folder, or the folder of a file; empty when the path names neither.
QString folderOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return info.absoluteFilePath();
    if (info.isFile())
        return info.absolutePath();
    return {};
}

// The folder of a scrapbook file the user chooses; none when cancelled.
std::optional<QString> askForScrapbookFile(controls::Prompts& prompts)
{
    controls::FileDialogRequest request;
    request.title = QStringLiteral("Open a Scrapbook");
    request.filter = QStringLiteral("Scrapbooks|Velmora.mdb;*.mdb|All Files|*.*");
    request.directory = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString chosen = prompts.chooseOpenFile(request);
    if (chosen.isEmpty())
        return std::nullopt;
    return folderOf(chosen);
}

std::optional<QString> askForScrapbook(controls::Prompts& prompts)
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString fresh = QDir(pictures).filePath(QStringLiteral("Wanderkeep"));
    if (prompts.askYesNo(kTitle, QStringLiteral("No scrapbook was found.\n\nCreate a new scrapbook in %1?\n\n"
                                                "Choose No to open a scrapbook you already have.")
                                     .arg(QDir::toNativeSeparators(fresh)))) {
        try {
            if (!QDir().mkpath(fresh))
                throw store::StoreError(
                    QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(fresh)));
            if (!holdsScrapbook(fresh))
                store::createScrapbook(QDir(fresh).filePath(QString::fromLatin1(store::kScrapbookFileName)));
            return fresh;
        } catch (const std::exception& failure) {
            prompts.tell(kTitle,
                         QStringLiteral("The new scrapbook could not be made: %1").arg(failure.what()),
                         controls::MessageIcon::Critical);
            return std::nullopt;
        }
    }
    if (prompts.askYesNo(kTitle, QStringLiteral("Is the scrapbook on the family's server?\n\n"
                                                "Choose No to open a scrapbook file.")))
        return askForFamilyServer(prompts);
    return askForScrapbookFile(prompts);
}

} // namespace

std::optional<QString> chooseScrapbookFolder(const QStringList& arguments, const QString& workingFolder,
                                             controls::Prompts& prompts)
{
    if (!arguments.isEmpty()) {
        if (store::ScrapbookLocation(arguments.first()).onServer())
            return arguments.first();
        if (const QString named = folderOf(arguments.first()); !named.isEmpty())
            return named;
        prompts.tell(
            kTitle,
            QStringLiteral("There is no folder or file %1.").arg(QDir::toNativeSeparators(arguments.first())),
            controls::MessageIcon::Exclamation);
    }
    if (holdsScrapbook(workingFolder))
        return workingFolder;
    // A server scrapbook is not looked for here: one that cannot be reached says so as it opens.
    if (const QString last = userSettings().value(kLastFolderKey).toString();
        holdsScrapbook(last) || store::ScrapbookLocation(last).onServer())
        return last;
    return askForScrapbook(prompts);
}

std::optional<store::ScrapbookLocation> startingScrapbook(const QString& folder, controls::Prompts& prompts)
{
    std::optional<store::ScrapbookLocation> scrapbook;
    try {
        scrapbook = withServerPassword(store::ScrapbookLocation(folder), prompts);
    } catch (const store::StoreError& failure) {
        // The server is away (switched off, another network): a file on this computer will do.
        if (!prompts.askYesNo(kTitle,
                              failure.message() +
                                  QStringLiteral("\n\nOpen a scrapbook file on this computer instead?")))
            return std::nullopt;
        const std::optional<QString> file = askForScrapbookFile(prompts);
        if (!file)
            return std::nullopt;
        return store::ScrapbookLocation(*file);
    }
    if (scrapbook)
        scrapbook = withThisComputersFolder(*scrapbook, prompts);
    return scrapbook;
}

void rememberScrapbookFolder(const QString& folder)
{
    const store::ScrapbookLocation location(folder);
    if (!location.onServer() && !holdsScrapbook(folder))
        return;
    QSettings settings = userSettings();
    settings.setValue(kLastFolderKey,
                      location.onServer() ? location.textToRemember() : QFileInfo(folder).absoluteFilePath());
}

} // namespace wk::shell
