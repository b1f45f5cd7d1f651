#include "shell/ScrapbookChoice.h"

#include "controls/Prompts.h"
#include "shell/FamilyServer.h"
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
    controls::FileDialogRequest request;
    request.title = QStringLiteral("Open a Scrapbook");
    request.filter = QStringLiteral("Scrapbooks|Velmora.mdb;*.mdb|All Files|*.*");
    request.directory = pictures;
    const QString chosen = prompts.chooseOpenFile(request);
    if (chosen.isEmpty())
        return std::nullopt;
    return folderOf(chosen);
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
