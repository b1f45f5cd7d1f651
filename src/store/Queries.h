#pragma once
// Every query text and find criterion the program sends over MYLIFE, one function each.
//
// The texts are in the program's own dialect (QueryDialect translates them for the engine) and
// keep their pieces, blanks included: the day query has two blanks before its ordering, the name
// query one before " and" after a category. No value taken from the screen is ever written into
// a text: each stands as "?" and is bound (Query.h), so a title, category or name with an
// apostrophe is only a value.
#include "store/Query.h"

namespace wk::store::queries {

// "All Pictures": the whole entry set in date order.
Query allEntries();

// The entries of category `caption` with who-or-where name `name`; any name when `name` is empty.
Query categoryFilter(const QString& caption, const QString& name);

// The entries of who-or-where name `name` in date order, within category `caption`. A null
// `caption` (no category chosen) admits every category; an empty `name` (no name chosen) only
// entries whose name is a single blank.
Query nameFilter(const QString& caption, const QString& name);

// The entries of one day in date order; `dateText` is the day as the calendar writes it,
// month first (" 6/15/ 1998").
Query day(const QString& dateText);

// The entries holding the words typed in the search box (EntryWords.h), in date order, entries of
// one date in row order.
Query entriesWithWords(const QString& typed);

// The one entry whose row identity is `rowId`.
Query entryByRow(qlonglong rowId);

// Find criterion: the calendar items, the entries whose category begins with "5".
Query calendarItemsCriterion();

} // namespace wk::store::queries
