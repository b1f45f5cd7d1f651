#pragma once
// A check box or option button that shows a small drawn face instead of a caption, with a
// tooltip saying what it does. Pressed (checked) it looks sunken.
#include <QAbstractButton>

namespace wk::controls {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Face { Clock, Calendar, Printer, Kid, MainScreen, ListByDate, EditScreen, Slideshow };

    PictureButton(Face face, const QString& toolTip, QWidget* parent = nullptr);
    Face face() const { return face_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Face face_;
};

} // namespace wk::controls
