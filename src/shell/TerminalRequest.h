#pragma once
// The program's terminal forms, read before any application object exists so they need no
// display:
//   wanderkeep --help
//   wanderkeep --import SOURCE [SCRAPBOOK] [--copy | --no-copy] [--category TEXT] [--who TEXT]
//   wanderkeep --search WORDS [SCRAPBOOK]
//   wanderkeep --copy SOURCE TARGET [--replace]
// and what every form shares: prompts that answer in the terminal, and how a failure is told.
#include "controls/Prompts.h"
#include "store/ScrapbookLocation.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace wk::shell {

struct TerminalImport {
    QString source;
    QString scrapbook;        // a folder or a Velmora.mdb path; empty: the one the program would open
    std::optional<bool> copy; // none: copy when the source is a card, phone or DCIM folder
    QString category;
    QString who;
};

struct TerminalSearch {
    QString words;
    QString scrapbook; // as for an import
};

struct TerminalCopy {
    QString source; // a folder, a Velmora.mdb path or a postgresql:// URI
    QString target; // as the source; a folder that does not exist yet is made
    bool replace = false;
};

// What the command line asks for.
struct TerminalRequest {
    enum Kind { Window, Help, Import, Search, Copy, Wrong } kind = Window;
    TerminalImport import;
    TerminalSearch search;
    TerminalCopy copy;
    QString problem; // for Wrong: what is wrong with the arguments
};

// `arguments` without the program's own name.
TerminalRequest readTerminalRequest(const QStringList& arguments);

// Every option, as --help prints it.
QString terminalHelp();

// A terminal has no dialogs: questions are answered No, dialogs cancelled, messages printed.
class TerminalPrompts : public controls::Prompts {
public:
    bool askYesNo(const QString&, const QString& text, bool) override;
    void tell(const QString&, const QString& text, controls::MessageIcon) override;
    QString chooseOpenFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseSaveFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseFolder(const controls::FileDialogRequest&) override { return {}; }
};

// Prints why nothing could be done on standard error; returns exit status 2.
int cannotInTerminal(const QString& why);

// The scrapbook folder a terminal form works on: SCRAPBOOK's when given (a folder or its
// Velmora.mdb), else the one the program would open from `workingFolder`; none when there is none,
// or `named` does not exist.
std::optional<QString> terminalScrapbookFolder(const QString& named, const QString& workingFolder);
// The scrapbook at `folder` (a folder, or a server address with the folder this computer chose for
// it) when it holds a scrapbook; otherwise why not, in a sentence that ends with `missing`.
std::optional<store::ScrapbookLocation> terminalScrapbook(const QString& folder, const QString& missing,
                                                          QString& why);

} // namespace wk::shell
