#pragma once
// Finding entries by the words a user types.
//
// What is typed is never query syntax. It is read as words; the words between double quotes
// make one phrase (a quote left open is closed at the end of the text). Words are cut and folded
// by the tokenizer of the words index (FTS5's unicode61, diacritics removed), so letter case and
// accents do not matter: "cafe" is "Café", "munchen" is "München". Each word matches the start
// of a word. An entry is found when every word and phrase stands in its title, log, who-or-where
// name or category (a phrase within one of them).
//
// The words index (see WordsIndex.h) answers when it is current; without it a scan of MYLIFE
// with the same tokenizer gives the same rows. The engine (Engine::wordsCondition) writes either.
#include <QString>

namespace wk::store {

// True when `typed` holds something to search for (a letter or a digit); punctuation alone is
// no search.
bool hasSearchWords(const QString& typed);

} // namespace wk::store
