#pragma once
// The PostgreSQL engine: a scrapbook on a database server, reached by a libpq connection URI
// ("postgresql://host/database"). The only folder that talks to libpq; what it offers outside
// names no libpq type. It may call the store's own value rules (DateRules, PackedRow) and libpq.
#include "store/Engine.h"

#include <QString>
#include <memory>

namespace wk::store::postgres {

// True for a text that names a server scrapbook (a postgresql:// or postgres:// URI).
bool isServerAddress(const QString& text);

// The server and database a URI names, for messages: "host/database" (a socket folder stands for
// the host). Empty parts when the URI cannot be read.
QString describeAddress(const QString& uri);

// The database and server a URI names, as a person says it: "family@homeserver".
QString databaseAtHost(const QString& uri);

// The URI without a password written in it (as "user:secret@" or "password=secret"): what may be
// kept in settings. Any other part stays as written.
QString withoutPassword(const QString& uri);

// Connects to the database the URI names. Throws StoreError naming the host and the reason: a URI
// that does not parse, an unknown host, a refused port, a database that does not exist, a wrong
// password, a server older than PostgreSQL 12, a scrapbook made by a newer Wanderkeep. Where the
// URI does not say otherwise, a server that does not answer is given up after 5 seconds, when
// connecting and on a connection that goes quiet (keepalives, TCP user timeout).
// `password`, when not empty, is used in place of one the URI or libpq's password file gives. A
// server that wants a password and got none, or a wrong one, throws PasswordNeededError.
std::unique_ptr<Engine> connectToServer(const QString& uri, const QString& password = QString());

// Why a server of `version` (as libpq reports it: 150004 for 15.4) cannot hold a scrapbook, for
// the message; empty when it can.
QString unsupportedServer(int version);

// The statements this process has sent to servers so far, each one round trip (connecting aside).
qint64 roundTripsSoFar();

} // namespace wk::store::postgres
