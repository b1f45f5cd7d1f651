#pragma once
// A window whose design is written in twips and scales as one piece: every control placed with
// placeTwips() keeps its twips rectangle, and on each resize the layout places it at that
// rectangle times one scale factor, the largest at which the whole design fits the window. The
// spare space becomes even margins around the design. Fonts scale with the controls, and a
// caption (label, button, option, tick box, frame title) shrinks its font until its text fits.
//
// A resize only places controls again: pictures decode themselves once the resize settles.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace wk::controls {

class TwipsLayout : public QObject {
    Q_OBJECT
public:
    // Makes `window` scale its twips design of `designTwips`; the design size becomes the
    // window's minimum size and its initial size.
    TwipsLayout(QWidget* window, QSize designTwips);

    // The layout of the window `w` belongs to; null when that window does not scale.
    static TwipsLayout* of(const QWidget* w);

    double scale() const { return scale_; }
    // Where the design's corner lies in the window, in pixels.
    QPoint origin() const { return origin_; }
    // The design's size in pixels at scale 1.
    QSize designPixels() const;

    // A rectangle of the design, in twips, as it lies in the window now, in pixels.
    QRect toWindow(const QRect& twips) const;

    // Places every control again for the window's current size.
    void apply();
    // Places one control (and fits its caption) for the current scale.
    void place(QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QSize designTwips_;
    double scale_ = 1.0;
    QPoint origin_;
};

// Lets the font of `control` grow with the window at most `factor` times: a control that should
// show more of its text in a larger window, not larger letters (the calendar's day cells).
void limitFontGrowth(QWidget* control, double factor);

// Shrinks the font of a caption-bearing control (QLabel, QAbstractButton, QGroupBox title) from
// `pointSize` until its text fits the control's width and height.
void fitCaption(QWidget* control, double pointSize);

} // namespace wk::controls
