#pragma once
// The store: a scrapbook named by its location (ScrapbookLocation), the engine seam under it
// (Engine, Statement; SQLite in sqlite/), result sets over it (DataSource), every query text with
// its values bound (Queries), the entry type and its field names (Entry), date rules, file paths,
// the clock and the conversion of old Access scrapbooks (jet/). Failures are thrown as StoreError
// with a clear message; callers decide what to do.
//
// Front doors: ScrapbookLocation, ScrapbookFile (opening or creating a scrapbook) and DataSource.
// The store may call Qt Core only, and its engines their own library (SQLite in sqlite/ alone;
// libmdb in jet/): no user interface, no other folder. Nothing outside sqlite/ knows SQLite.
#include "store/Clock.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/FilePaths.h"
#include "store/Queries.h"
#include "store/ScrapbookFile.h"
#include "store/ScrapbookLocation.h"
#include "store/StoreError.h"
