#pragma once
// An environment variable set for a test's scope (HOME, PGPASSFILE, ...), as it was again after.
#include <QByteArray>
#include <QtGlobal>

namespace wk::testing {

class EnvironmentSetting {
public:
    EnvironmentSetting(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), was_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentSetting()
    {
        if (had_)
            qputenv(name_, was_);
        else
            qunsetenv(name_);
    }
    EnvironmentSetting(const EnvironmentSetting&) = delete;
    EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray was_;
};

} // namespace wk::testing
