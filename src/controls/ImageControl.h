#pragma once
// The image control: shows one Picture, either stretched to the control's size or at the
// picture's own size (the control then takes that size, as the classic control does). Mouse
// actions are forwarded as signals so the windows that own the control decide what they mean.
#include "controls/Picture.h"

#include <QWidget>

namespace wk::controls {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    // Shows `picture`; an empty picture clears the control.
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    // Decodes `file` to fit the control's current size when stretching (natural size otherwise)
    // and shows it. Throws PictureError and leaves the shown picture unchanged on failure.
    void load(const QString& file);
    void clear();

    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // A left-button press and release both inside the control.
    void clicked();
    // The second press of a left-button double click; the press is still reported as a
    // press, so a quick second click on a stepping arrow keeps counting as a click.
    void doubleClicked();
    // Positions are in the control's own pixel coordinates.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fitToPicture();

    Picture picture_;
    bool stretch_ = false;
    bool leftPressed_ = false;
};

// Shows `file` stretched into a thumbnail slot; an empty name, or a file that cannot be read,
// leaves the slot empty.
void loadThumbnail(ImageControl* slot, const QString& file);

} // namespace wk::controls
