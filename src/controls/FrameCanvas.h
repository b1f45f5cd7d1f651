#pragma once
// The window's own drawing surface behind its controls: lines and boxes drawn on demand stay
// until something is drawn over them, the way a form keeps what was drawn on it.
#include <QColor>
#include <QRect>
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Primitive {
        QRect box; // for lines: from topLeft to bottomRight, unnormalised
        QColor colour;
        enum class Kind { Line, Box, FilledBox } kind;
    };
    std::vector<Primitive> primitives_;
};

} // namespace wk::controls
