#pragma once
// Finding entries by their words: the search box on the Main Screen.
//
// Front door: EntrySearch. Typing waits for a pause, then searches off the window's thread and
// hands the entries found to the filters, which show them as a filter's result; Esc or an empty
// box returns to All Pictures. The words themselves are read by the store (store/EntryWords.h),
// never as query syntax.
//
// May call controls/ and store/ only; what it asks of the filters comes in as functions.
#include "search/EntrySearch.h"
