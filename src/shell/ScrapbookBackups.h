#pragma once
// The backup made before the first change of a run to each scrapbook file. When no backup can be
// written (a full disk, a folder that cannot be made), the user is asked once whether to go on
// without backups; No refuses the change, so the scrapbook stays as it was.
#include <QString>

namespace wk::store {
class Clock;
class Connection;
class ConnectionPool;
} // namespace wk::store
namespace wk::controls {
class Prompts;
}

namespace wk::shell {

class ScrapbookBackups {
public:
    ScrapbookBackups(controls::Prompts& prompts, const store::Clock& clock);
    // Makes `pool` back every file up before its first write.
    void guard(store::ConnectionPool& pool);

private:
    void backUp(store::Connection& connection);

    controls::Prompts& prompts_;
    const store::Clock& clock_;
    bool asked_ = false;
    bool withoutBackups_ = false; // the user chose to go on without them
};

} // namespace wk::shell
