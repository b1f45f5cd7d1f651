#include "shell/TerminalImport.h"

#include "controls/Prompts.h"
#include "import/ImportNaming.h"
#include "import/PictureImport.h"
#include "shell/ScrapbookBackups.h"
#include "shell/ScrapbookChoice.h"
#include "store/Backups.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace wk::shell {

namespace {

// A terminal has no dialogs: questions are answered No, dialogs cancelled, messages printed.
class TerminalPrompts : public controls::Prompts {
public:
    bool askYesNo(const QString&, const QString& text, bool) override
    {
        std::fprintf(stderr, "%s\n(answered No: no one to ask in a terminal)\n", qPrintable(text));
        return false;
    }
    void tell(const QString&, const QString& text, controls::MessageIcon) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    QString chooseOpenFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseSaveFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseFolder(const controls::FileDialogRequest&) override { return {}; }
};

int cannot(const QString& why)
{
    std::fprintf(stderr, "wanderkeep: %s\n", qPrintable(why));
    return 2;
}

} // namespace

TerminalRequest readTerminalRequest(const QStringList& arguments)
{
    TerminalRequest request;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        request.kind = TerminalRequest::Help;
        return request;
    }
    if (arguments.isEmpty() || arguments.first() != QStringLiteral("--import"))
        return request;
    const auto wrong = [&](const QString& problem) {
        request.kind = TerminalRequest::Wrong;
        request.problem = problem;
        return request;
    };
    QStringList plain;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QStringLiteral("--copy") || a == QStringLiteral("--no-copy")) {
            if (request.import.copy)
                return wrong(QStringLiteral("--copy and --no-copy are given more than once"));
            request.import.copy = a == QStringLiteral("--copy");
        } else if (a == QStringLiteral("--category") || a == QStringLiteral("--who")) {
            if (++i >= arguments.size())
                return wrong(QStringLiteral("%1 needs a text after it").arg(a));
            (a == QStringLiteral("--category") ? request.import.category : request.import.who) =
                arguments.at(i);
        } else if (a.startsWith(QStringLiteral("--"))) {
            return wrong(QStringLiteral("unknown option %1").arg(a));
        } else {
            plain << a;
        }
    }
    if (plain.isEmpty())
        return wrong(QStringLiteral("--import needs the folder to import"));
    if (plain.size() > 2)
        return wrong(QStringLiteral("too many arguments: %1").arg(plain.mid(2).join(QLatin1Char(' '))));
    request.kind = TerminalRequest::Import;
    request.import.source = plain.at(0);
    request.import.scrapbook = plain.value(1);
    return request;
}

QString terminalHelp()
{
    return QStringLiteral(
        "Usage: wanderkeep [SCRAPBOOK]\n"
        "       wanderkeep --import SOURCE [SCRAPBOOK] [--copy | --no-copy] [--category TEXT] [--who TEXT]\n"
        "\n"
        "Without options, opens the scrapbook in SCRAPBOOK (a folder, or its Velmora.mdb file), else the\n"
        "one in the working folder, else the one opened last.\n"
        "\n"
        "  --import SOURCE   import every picture in the folder SOURCE and its subfolders (a card, a\n"
        "                    phone or a camera is a folder) without opening a window; pictures already\n"
        "                    in the scrapbook are skipped\n"
        "  --copy            copy the pictures into the scrapbook's folder (pictures/YYYY/MM)\n"
        "  --no-copy         leave the pictures where they are; entries name them by full path\n"
        "                    (without either: copy when SOURCE is on removable media or in a DCIM folder)\n"
        "  --category TEXT   the category of the new entries\n"
        "  --who TEXT        the who-or-where name of the new entries\n"
        "  -h, --help        show this help\n"
        "\n"
        "Exit status of --import: 0 every picture went in or was already there; 1 some could not be\n"
        "read, the rest went in; 2 nothing could be done (the reason is printed).\n");
}

int runTerminalImport(const TerminalImport& request, const QString& workingFolder)
{
    if (!request.scrapbook.isEmpty() && !QFileInfo::exists(request.scrapbook))
        return cannot(QStringLiteral("there is no scrapbook folder or file %1")
                          .arg(QDir::toNativeSeparators(request.scrapbook)));
    TerminalPrompts prompts;
    const QStringList named = request.scrapbook.isEmpty() ? QStringList() : QStringList{request.scrapbook};
    const std::optional<QString> folder = chooseScrapbookFolder(named, workingFolder, prompts);
    if (!folder)
        return cannot(QStringLiteral("no scrapbook to import into; name its folder after the source"));
    const QString database = store::scrapbookFileIn(*folder);
    if (store::inspectFile(database) != store::FileKind::Scrapbook)
        return cannot(
            QStringLiteral("%1 holds no scrapbook that can be imported into (an old Access scrapbook "
                           "is converted by opening it in Wanderkeep first)")
                .arg(QDir::toNativeSeparators(*folder)));

    importing::ImportOptions options;
    options.source = request.source;
    options.copy = request.copy.value_or(importing::looksRemovable(request.source));
    options.category = request.category;
    options.where = request.who;

    const store::SystemClock clock;
    ScrapbookBackups backups(prompts, clock);
    store::ConnectionPool pool;
    backups.guard(pool);
    importing::ImportSummary summary;
    try {
        store::removeUnfinishedBackups(database);
        const std::shared_ptr<store::Connection> connection = pool.open(database);
        QElapsedTimer sincePrinted;
        sincePrinted.start();
        summary =
            importing::importPictures(*connection, *folder, options, [&](const importing::ImportState& p) {
                if (sincePrinted.elapsed() >= 200 || p.done == p.total) {
                    std::printf("\r%d of %d pictures", p.done, p.total);
                    std::fflush(stdout);
                    sincePrinted.restart();
                }
                return true;
            });
    } catch (const importing::ImportError& error) {
        return cannot(QString::fromStdString(error.what()));
    } catch (const store::StoreError& error) {
        return cannot(error.message());
    }
    std::printf("\n%s\n", qPrintable(summary.text()));
    if (summary.imported == 0 && !summary.stoppedBecause.isEmpty())
        return cannot(summary.stoppedBecause);
    return summary.exitStatus();
}

} // namespace wk::shell
