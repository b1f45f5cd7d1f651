#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace wk::controls {

namespace {
double dotsPerInch()
{
    static const double dpi = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double d = screen ? screen->logicalDotsPerInch() : 96.0;
        return d > 0 ? d : 96.0;
    }();
    return dpi;
}
} // namespace

int twipsToPixels(int twips) { return int(std::lround(twips * dotsPerInch() / 1440.0)); }
int pixelsToTwips(int pixels) { return int(std::lround(pixels * 1440.0 / dotsPerInch())); }

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

void setTwipsWidth(QWidget* w, int widthTwips) { w->resize(twipsToPixels(widthTwips), w->height()); }

} // namespace wk::controls
