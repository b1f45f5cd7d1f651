#pragma once
// Every failure of the scrapbook store is one exception type with a message a person can read.
#include <QString>
#include <stdexcept>

namespace wk::store {

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A change or delete found no row to write: another connection or program deleted the entry
// after it was read. Nothing was written.
class RowGoneError : public StoreError {
public:
    RowGoneError()
        : StoreError(QStringLiteral("This entry no longer exists in the scrapbook: it was deleted or "
                                    "changed elsewhere."))
    {
    }
};

// The server wants a password for the scrapbook and none was given, or the one given was wrong.
// The message says which; nothing was opened.
class PasswordNeededError : public StoreError {
public:
    using StoreError::StoreError;
};

} // namespace wk::store
