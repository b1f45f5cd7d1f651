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

// The folder this computer chose for `scrapbook`; empty when none was chosen. It may be missing
// now (a share not mounted): its pictures then show as not found, with the path expected.
QString rememberedServerFolder(const store::ScrapbookLocation& scrapbook);
// Remembers `folder` as this computer's folder for `scrapbook`.
void rememberServerFolder(const store::ScrapbookLocation& scrapbook, const QString& folder);

// `scrapbook` with its folder: a file's own, a server scrapbook's remembered one, else one the
// user chooses now (and it is remembered). None when the user chose none.
std::optional<store::ScrapbookLocation> withThisComputersFolder(const store::ScrapbookLocation& scrapbook,
                                                                controls::Prompts& prompts);

// The Edit Screen's "Picture Folder..." button: `scrapbook` with another folder of this computer
// the user chooses for it, remembered; none when the user cancelled.
std::optional<store::ScrapbookLocation> changeThisComputersFolder(const store::ScrapbookLocation& scrapbook,
                                                                  controls::Prompts& prompts);

// Where the picture disc's folder for `scrapbook` is kept: a file's own table; for a server
// scrapbook, a small scrapbook file of this computer's user (each computer has its own disc drive
// or copy of the disc, so it is never kept in the shared database), made when first asked for.
QString pictureDiscDatabase(const store::ScrapbookLocation& scrapbook);

} // namespace wk::shell
