#pragma once
// Positions and sizes are written in twips (1440 to the inch) and converted once, here.
#include <QRect>

class QWidget;

namespace wk::controls {

int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
QRect twipsRect(int left, int top, int width, int height);
// Places `w` at the twips rectangle, relative to its parent, and keeps that rectangle: in a
// window with a TwipsLayout the control is placed at it times the window's scale.
void placeTwips(QWidget* w, int left, int top, int width, int height);
// Changes only the width of `w`, keeping its place and height.
void setTwipsWidth(QWidget* w, int widthTwips);
// The twips rectangle `w` was placed at (its pixel geometry in twips when it was never placed).
QRect twipsRectOf(const QWidget* w);
int twipsWidth(const QWidget* w);
bool hasTwipsRect(const QWidget* w);

} // namespace wk::controls
