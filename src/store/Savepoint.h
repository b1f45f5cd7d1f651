#pragma once
// Writes that are kept whole or not at all. Only store sources include this header.
#include "store/Connection.h"
#include "store/Engine.h"
#include "store/RowChange.h"
#include "store/StoreError.h"

namespace wk::store {

// Runs `body` as one write: all of it is written, or nothing. The pool's first-write step (the
// backup) runs before it. A scrapbook open for reading only refuses it before anything is done.
template <typename Body>
void inSavepoint(Connection& connection, const QString& what, Body body)
{
    if (connection.isReadOnly())
        throw StoreError(QStringLiteral("%1: This scrapbook is open for reading only").arg(what));
    connection.aboutToWrite();
    Engine& engine = connection.engine();
    engine.beginWrite(what);
    try {
        body();
        engine.commitWrite(what);
    } catch (const RowGoneError&) {
        engine.rollBackWrite(what);
        throw;
    } catch (const RowChangedError&) {
        engine.rollBackWrite(what);
        throw;
    } catch (const StoreError& error) {
        engine.rollBackWrite(what);
        const QString message = error.message();
        throw StoreError(message.startsWith(what) ? message : QStringLiteral("%1: %2").arg(what, message));
    }
}

} // namespace wk::store
