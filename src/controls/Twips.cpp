#include "controls/Twips.h"

#include "controls/TwipsLayout.h"

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

namespace {
const char* const kTwipsRect = "wkTwipsRect";

void applyTwips(QWidget* w, const QRect& twips)
{
    w->setProperty(kTwipsRect, twips);
    if (const TwipsLayout* layout = TwipsLayout::of(w))
        layout->place(w);
    else
        w->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}
} // namespace

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    applyTwips(w, QRect(left, top, width, height));
}

void setTwipsWidth(QWidget* w, int widthTwips)
{
    QRect twips = twipsRectOf(w);
    twips.setWidth(widthTwips);
    applyTwips(w, twips);
}

bool hasTwipsRect(const QWidget* w) { return w->property(kTwipsRect).isValid(); }

QRect twipsRectOf(const QWidget* w)
{
    const QVariant kept = w->property(kTwipsRect);
    if (kept.isValid())
        return kept.toRect();
    const QRect g = w->geometry();
    return {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()), pixelsToTwips(g.height())};
}

int twipsWidth(const QWidget* w) { return twipsRectOf(w).width(); }

} // namespace wk::controls
