#pragma once
// Recognising and creating the scrapbook file "Velmora.mdb".
//
// A scrapbook is any SQLite file holding the tables MYLIFE (DATE, MYEVENT, WHAT, WHERE, PICTURE,
// LOG), Catagory (catagory), WHERE (where, sort) and cddrive (cd, new), names in any letter case.
#include "store/ScrapbookLocation.h"

#include <QString>

namespace wk::store {

inline constexpr const char* kScrapbookFileName = "Velmora.mdb";

enum class FileKind {
    Missing,   // no such file
    Scrapbook, // an SQLite file with the four tables
    Jet,       // a Microsoft Access (Jet 3 or 4) file, recognised by its header
    Other      // anything else: not a scrapbook database; never touched
};
FileKind inspectFile(const QString& path);
// What the scrapbook's location holds: a file as inspectFile tells; a server database is Missing
// while empty, a Scrapbook once it holds the four tables, Other when it holds other tables. Throws
// StoreError when the server cannot be reached, or its scrapbook was made by a newer Wanderkeep
// (PostgresEngine.h).
FileKind inspectScrapbook(const ScrapbookLocation& scrapbook);

// The scrapbook file of `folder`: its Velmora.mdb in any letter case (where it would be made when
// there is none).
QString scrapbookFileIn(const QString& folder);

// Writes a new empty scrapbook: the four tables, categories "1 Events" .. "5 Calendar Items",
// the name "*All Pictures" and one cddrive row (cd empty, new "Y"); a file, or the tables in an
// empty database on a server. Throws StoreError when the file already exists, the database holds
// a scrapbook or other tables, or it cannot be written; what exists is never touched.
void createScrapbook(const ScrapbookLocation& scrapbook);

} // namespace wk::store
