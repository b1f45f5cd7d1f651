#include "shell/TerminalRequest.h"

#include "shell/ScrapbookChoice.h"
#include "shell/ServerFolder.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace wk::shell {

namespace {

bool isOption(const QString& argument) { return argument.startsWith(QStringLiteral("--")); }

} // namespace

TerminalRequest readTerminalRequest(const QStringList& arguments)
{
    TerminalRequest request;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        request.kind = TerminalRequest::Help;
        return request;
    }
    const auto wrong = [&](const QString& problem) {
        request.kind = TerminalRequest::Wrong;
        request.problem = problem;
        return request;
    };
    if (!arguments.isEmpty() && arguments.first() == QStringLiteral("--search")) {
        const QStringList rest = arguments.mid(1);
        for (const QString& a : rest)
            if (isOption(a))
                return wrong(QStringLiteral("unknown option %1").arg(a));
        if (rest.isEmpty())
            return wrong(QStringLiteral("--search needs the words to search for"));
        if (rest.size() > 2)
            return wrong(QStringLiteral("too many arguments: %1 (put the words in quotes)")
                             .arg(rest.mid(2).join(QLatin1Char(' '))));
        request.kind = TerminalRequest::Search;
        request.search = {rest.at(0), rest.value(1)};
        return request;
    }
    if (!arguments.isEmpty() && arguments.first() == QStringLiteral("--copy")) {
        QStringList plain;
        for (const QString& a : arguments.mid(1)) {
            if (a == QStringLiteral("--replace"))
                request.copy.replace = true;
            else if (isOption(a))
                return wrong(QStringLiteral("unknown option %1").arg(a));
            else
                plain << a;
        }
        if (plain.size() != 2)
            return wrong(QStringLiteral("--copy needs the scrapbook to copy and where to copy it"));
        request.kind = TerminalRequest::Copy;
        request.copy.source = plain.at(0);
        request.copy.target = plain.at(1);
        return request;
    }
    if (arguments.isEmpty() || arguments.first() != QStringLiteral("--import"))
        return request;
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
        } else if (isOption(a)) {
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
        "       wanderkeep --search WORDS [SCRAPBOOK]\n"
        "       wanderkeep --copy SOURCE TARGET [--replace]\n"
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
        "  --search WORDS    print the entries whose title, story, who-or-where name or category hold\n"
        "                    every word (each the start of a word; case and accents do not matter;\n"
        "                    words in double quotes stand together), one line each: date, title,\n"
        "                    picture, separated by tabs\n"
        "  --copy SOURCE TARGET  copy a whole scrapbook (a folder, its Velmora.mdb, or a database on a\n"
        "                    PostgreSQL server named by a postgresql:// address) to another place,\n"
        "                    either way; a TARGET that holds entries is refused unless --replace\n"
        "  --replace         with --copy: replace what TARGET holds\n"
        "  -h, --help        show this help\n"
        "\n"
        "Exit status of --import: 0 every picture went in or was already there; 1 some could not be\n"
        "read, the rest went in; 2 nothing could be done (the reason is printed).\n"
        "Exit status of --search: 0 entries were found; 1 none; 2 the search could not be made (the\n"
        "reason is printed).\n"
        "Exit status of --copy: 0 copied; 2 nothing was copied (the reason is printed).\n");
}

bool TerminalPrompts::askYesNo(const QString&, const QString& text, bool)
{
    std::fprintf(stderr, "%s\n(answered No: no one to ask in a terminal)\n", qPrintable(text));
    return false;
}

void TerminalPrompts::tell(const QString&, const QString& text, controls::MessageIcon)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

int cannotInTerminal(const QString& why)
{
    std::fprintf(stderr, "wanderkeep: %s\n", qPrintable(why));
    return 2;
}

std::optional<QString> terminalScrapbookFolder(const QString& named, const QString& workingFolder)
{
    if (!named.isEmpty() && !QFileInfo::exists(named) && !store::ScrapbookLocation(named).onServer())
        return std::nullopt;
    TerminalPrompts prompts;
    return chooseScrapbookFolder(named.isEmpty() ? QStringList() : QStringList{named}, workingFolder,
                                 prompts);
}

std::optional<store::ScrapbookLocation> terminalScrapbook(const QString& folder, const QString& missing,
                                                          QString& why)
{
    store::ScrapbookLocation scrapbook(folder);
    if (scrapbook.onServer())
        scrapbook = scrapbook.withFolder(rememberedServerFolder(scrapbook));
    try {
        if (store::inspectScrapbook(scrapbook) == store::FileKind::Scrapbook)
            return scrapbook;
        why = QStringLiteral("%1 holds no scrapbook %2")
                  .arg(scrapbook.onServer() ? scrapbook.label() : QDir::toNativeSeparators(folder), missing);
    } catch (const store::StoreError& failure) {
        why = failure.message();
    }
    return std::nullopt;
}

} // namespace wk::shell
