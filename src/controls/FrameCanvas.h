#pragma once
// The window's own drawing surface behind its controls: lines and boxes drawn on demand stay
// until something is drawn over them, the way a form keeps what was drawn on it.
#include <QColor>
#include <QRect>
#include <QTransform>
#include <QWidget>
#include <vector>

namespace wk::controls {

class FrameCanvas : public QWidget {
    Q_OBJECT
public:
    explicit FrameCanvas(QWidget* parent);

    // Coordinates in pixels of the canvas. A filled box hides whatever it covers entirely.
    void drawLine(QPoint from, QPoint to, QColor colour);
    void drawBox(const QRect& box, QColor colour, bool filled);
    int primitiveCount() const { return int(primitives_.size()); }

    // 3-D frames drawn around the rectangle spanning two controls of the window: "inward"
    // styles (starting with "i") look pressed in, any other raised with a black outline.
    // OFF draws the same frame in the window colour, erasing it.
    void DrawFrameON(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle, int frameMargin);
    void DrawFrameOFF(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                      int frameMargin);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Primitives are kept in the design's pixels; the window's layout scales and centres them.
    QTransform designToWindow() const;
    void drawFrame(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle, int frameMargin,
                   bool erase);

    struct Primitive {
        QRect box; // for lines: from topLeft to bottomRight, unnormalised
        QColor colour;
        enum class Kind { Line, Box, FilledBox } kind;
    };
    std::vector<Primitive> primitives_;
};

} // namespace wk::controls
