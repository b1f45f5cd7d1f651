#include "shell/WindowPlacement.h"

#include "shell/UserSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace wk::shell {

namespace {
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");

} // namespace

void restoreWindowPlacement(QWidget* window)
{
    const QByteArray kept = userSettings().value(kGeometryKey).toByteArray();
    if (!kept.isEmpty() && window->restoreGeometry(kept))
        return;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize least = window->minimumSize();
    const double aspect = double(least.width()) / std::max(1, least.height());
    const int height = std::max(least.height(), available.height() * 2 / 3);
    const QSize size(std::max(least.width(), int(std::lround(height * aspect))), height);
    window->resize(size);
    window->move(available.center() - QPoint(size.width() / 2, size.height() / 2));
}

void saveWindowPlacement(const QWidget* window)
{
    QSettings settings = userSettings();
    settings.setValue(kGeometryKey, window->saveGeometry());
}

} // namespace wk::shell
