#pragma once
// The program's terminal forms, read before any application object exists so they need no
// display:
//   wanderkeep --help
//   wanderkeep --import SOURCE [SCRAPBOOK] [--copy | --no-copy] [--category TEXT] [--who TEXT]
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

// What the command line asks for.
struct TerminalRequest {
    enum Kind { Window, Help, Import, Wrong } kind = Window;
    TerminalImport import;
    QString problem; // for Wrong: what is wrong with the arguments
};

// `arguments` without the program's own name.
TerminalRequest readTerminalRequest(const QStringList& arguments);

// Every option, as --help prints it.
QString terminalHelp();

// Runs the import, printing progress on one line of standard output and the summary at the end.
// Returns the exit status: 0 when every picture went in or was already there; 1 when some could
// not be read (the rest went in); 2 when nothing could be done, with the reason on standard error.
// Needs a QCoreApplication (for the picture format plugins).
int runTerminalImport(const TerminalImport& request, const QString& workingFolder);

} // namespace wk::shell
