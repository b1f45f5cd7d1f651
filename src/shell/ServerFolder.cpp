#include "shell/ServerFolder.h"

#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "shell/UserSettings.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace wk::shell {

namespace {

// One settings key per server scrapbook: its host and database (never its password), escaped so
// the "/" between them does not open a settings group.
QString keyOf(const store::ScrapbookLocation& scrapbook)
{
    return QStringLiteral("ServerFolders/") + QString::fromLatin1(QUrl::toPercentEncoding(scrapbook.label()));
}

// Copies the disc setting (the one row of cddrive) from scrapbook `from` into scrapbook `to`.
void copyPictureDiscSetting(const QString& from, const QString& to)
{
    store::ConnectionPool pool;
    store::DataSource shared(pool, QStringLiteral("sharedDisc"));
    shared.setDatabaseName(from);
    shared.setRecordSource(QStringLiteral("cddrive"));
    shared.refresh();
    if (shared.eof())
        return;
    store::DataSource own(pool, QStringLiteral("ownDisc"));
    own.setDatabaseName(to);
    own.setRecordSource(QStringLiteral("cddrive"));
    own.refresh();
    own.moveFirst();
    own.edit();
    for (const QString& field : {QStringLiteral("cd"), QStringLiteral("new")})
        own.setField(field, shared.field(field));
    own.update();
}

} // namespace

QString rememberedServerFolder(const store::ScrapbookLocation& scrapbook)
{
    return userSettings().value(keyOf(scrapbook)).toString();
}

void rememberServerFolder(const store::ScrapbookLocation& scrapbook, const QString& folder)
{
    QSettings settings = userSettings();
    settings.setValue(keyOf(scrapbook), QFileInfo(folder).absoluteFilePath());
}

std::optional<store::ScrapbookLocation> withThisComputersFolder(const store::ScrapbookLocation& scrapbook,
                                                                controls::Prompts& prompts)
{
    if (!scrapbook.onServer())
        return scrapbook;
    if (const QString folder = rememberedServerFolder(scrapbook); !folder.isEmpty())
        return scrapbook.withFolder(folder);
    prompts.tell(QStringLiteral("Wanderkeep"),
                 QStringLiteral("The scrapbook %1 is on a server. Choose the folder on this computer where "
                                "its pictures are (the family's shared folder, for example).")
                     .arg(scrapbook.label()));
    return changeThisComputersFolder(scrapbook, prompts);
}

std::optional<store::ScrapbookLocation> changeThisComputersFolder(const store::ScrapbookLocation& scrapbook,
                                                                  controls::Prompts& prompts)
{
    controls::FileDialogRequest request;
    request.title = QStringLiteral("This Computer's Folder for %1").arg(scrapbook.label());
    const QString now = rememberedServerFolder(scrapbook);
    request.directory =
        QFileInfo(now).isDir() ? now : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString chosen = prompts.chooseFolder(request);
    if (chosen.isEmpty())
        return std::nullopt;
    rememberServerFolder(scrapbook, chosen);
    return scrapbook.withFolder(QFileInfo(chosen).absoluteFilePath());
}

QString pictureDiscDatabase(const store::ScrapbookLocation& scrapbook)
{
    if (!scrapbook.onServer())
        return scrapbook.database();
    const QDir kept(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                    QStringLiteral("/picture-discs"));
    const QString file = kept.filePath(QString::fromLatin1(QUrl::toPercentEncoding(scrapbook.label())) +
                                       QStringLiteral(".mdb"));
    if (!QFileInfo::exists(file)) {
        if (!kept.mkpath(QStringLiteral(".")))
            throw store::StoreError(
                QStringLiteral("The folder %1 could not be made").arg(QDir::toNativeSeparators(kept.path())));
        store::createScrapbook(store::ScrapbookLocation(file));
        // A computer starts from the disc folder the scrapbook was made with (a copied file
        // scrapbook's, say); from then on the setting is its own.
        controls::skipStep([&] { copyPictureDiscSetting(scrapbook.database(), file); });
    }
    return file;
}

} // namespace wk::shell
