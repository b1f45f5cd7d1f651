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

} // namespace wk::store
