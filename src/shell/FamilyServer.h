#pragma once
// A scrapbook on the family's server, reached the way a person thinks of it: the server's name,
// the scrapbook's database and their own user name, asked in a small form; the password asked
// only when the server wants one. The password lives in memory for this run (the location
// carries it) and is never written to settings or logs; libpq's password file, when there is one,
// answers first.
#include "store/ScrapbookLocation.h"

#include <QString>
#include <optional>

namespace wk::controls {
class Prompts;
}

namespace wk::shell {

// The server address for `host` (a name or address with an optional ":port", or a socket folder),
// `database` and `user` (none: the login name).
QString familyServerAddress(const QString& host, const QString& database, const QString& user);

// Asks for the host, database and user until the host and database are given; the address they
// make, none when cancelled.
std::optional<QString> askForFamilyServer(controls::Prompts& prompts);

// `scrapbook` as it can be opened: a file as it is; a server scrapbook with the password the user
// types when the server wants one (asked again when wrong). None when the user cancelled. Throws
// StoreError when the server cannot be reached or refuses for another reason.
std::optional<store::ScrapbookLocation> withServerPassword(const store::ScrapbookLocation& scrapbook,
                                                           controls::Prompts& prompts);

// The Edit Screen's "Family Server..." button: the server scrapbook the user names, with its
// password and this computer's folder for it, once it answers; none when the user cancelled or it
// cannot be opened (then told why).
std::optional<store::ScrapbookLocation> chooseFamilyServerScrapbook(controls::Prompts& prompts);

} // namespace wk::shell
