#include "controls/Steps.h"

#include "controls/Prompts.h"
#include "controls/UiLog.h"

#include <string_view>

namespace wk::controls {

namespace {
// The compiler gives the full path it was handed; from "src/" on is enough to find the line.
std::string_view shownFile(std::string_view path)
{
    const std::size_t src = path.rfind("/src/");
    if (src != std::string_view::npos)
        return path.substr(src + 1);
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
} // namespace

void logSkipped(const std::exception& failure, std::source_location where)
{
    const std::string_view file = shownFile(where.file_name());
    // One pass over the pattern, so a '%' in the message cannot be taken for a place holder.
    qCDebug(uiLog).noquote() << QStringLiteral("skipped at %1:%2: %3")
                                    .arg(QString::fromUtf8(file.data(), qsizetype(file.size())),
                                         QString::number(where.line()), QString::fromUtf8(failure.what()));
}

bool skipStep(const std::function<void()>& step, std::source_location caller)
{
    try {
        step();
        return true;
    } catch (const std::exception& failure) {
        logSkipped(failure, caller);
        return false;
    }
}

void tellFailedWrite(Prompts& prompts, const QString& title, const QString& whatDidNotHappen,
                     const std::exception& failure)
{
    prompts.tell(title, whatDidNotHappen + QStringLiteral("\n\n") + QString::fromUtf8(failure.what()),
                 MessageIcon::Critical);
}

bool tryWrite(Prompts& prompts, const QString& title, const QString& whatDidNotHappen,
              const std::function<void()>& write)
{
    try {
        write();
        return true;
    } catch (const std::exception& failure) {
        tellFailedWrite(prompts, title, whatDidNotHappen, failure);
        return false;
    }
}

} // namespace wk::controls
