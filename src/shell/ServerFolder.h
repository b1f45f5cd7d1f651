#pragma once
// This computer's folder for a scrapbook on a server: where its relative picture names, scans,
// print output and the program's own files (the intro picture, the help document) are found.
// Each computer chooses its own (a mounted family share, say), once per server scrapbook; the
// choice is kept in the user's settings, never in the shared database.
#include "store/ScrapbookLocation.h"

#include <QString>
#include <optional>

namespace wk::controls {
class Prompts;
}

namespace wk::shell {

// The folder this computer chose for `scrapbook`; empty when none was chosen or it is gone.
QString rememberedServerFolder(const store::ScrapbookLocation& scrapbook);
// Remembers `folder` as this computer's folder for `scrapbook`.
void rememberServerFolder(const store::ScrapbookLocation& scrapbook, const QString& folder);

// `scrapbook` with its folder: a file's own, a server scrapbook's remembered one, else one the
// user chooses now (and it is remembered). None when the user chose none.
std::optional<store::ScrapbookLocation> withThisComputersFolder(const store::ScrapbookLocation& scrapbook,
                                                                controls::Prompts& prompts);

} // namespace wk::shell
