#pragma once
// Which scrapbook folder the program opens (its program folder):
// - the folder named on the command line, or the folder of the scrapbook file named there (a
//   desktop launcher passes files), or the server scrapbook named there ("postgresql://...");
// - else the working folder, when it holds a scrapbook;
// - else the scrapbook opened last, when it is still there (a server scrapbook is not looked for);
// - else, asked once: a new scrapbook in the user's Pictures folder (Pictures/Wanderkeep), one on
//   the family's server, or an existing one the user chooses. Nothing is written into the home folder
//   unasked.
// The folder or server address opened is remembered in the user's settings for the next start (a
// server address without any password written in it).
#include "store/ScrapbookLocation.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace wk::controls {
class Prompts;
}

namespace wk::shell {

// The folder (or server address) to open; none when the user chose none (the program then ends).
std::optional<QString> chooseScrapbookFolder(const QStringList& arguments, const QString& workingFolder,
                                             controls::Prompts& prompts);

// The scrapbook in `folder` (a folder or a server address) as it can be opened: with the password
// and this computer's picture folder a server scrapbook needs, asked when missing. A server that
// cannot be reached is named with the reason, and a scrapbook file on this computer is offered
// instead. None when the user chose none.
std::optional<store::ScrapbookLocation> startingScrapbook(const QString& folder, controls::Prompts& prompts);

// Remembers `folder` as the scrapbook opened last, when it holds one or is a server address.
void rememberScrapbookFolder(const QString& folder);

} // namespace wk::shell
