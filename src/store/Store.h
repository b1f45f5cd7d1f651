#pragma once
// The store: the scrapbook file (SQLite), result sets over it (DataSource), every query text
// (Queries), the entry type and its field names (Entry), date rules, file paths, the clock and
// the conversion of old Access scrapbooks (jet/). Failures are thrown as StoreError with a
// clear message; callers decide what to do.
//
// Front doors: ScrapbookFile (opening or creating a scrapbook) and DataSource. The store may
// call Qt Core and SQLite (libmdb in jet/) only: no user interface, no other folder.
#include "store/Clock.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/FilePaths.h"
#include "store/Queries.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"
