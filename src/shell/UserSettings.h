#pragma once
// The user's own settings of the program (the window's place, the scrapbook opened last), kept
// where the desktop keeps every program's settings: ~/.config/Wanderkeep/Wanderkeep.conf.
#include <QSettings>

namespace wk::shell {

inline QSettings userSettings()
{
    return QSettings(QStringLiteral("Wanderkeep"), QStringLiteral("Wanderkeep"));
}

} // namespace wk::shell
