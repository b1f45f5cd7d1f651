#pragma once
// The image control: shows one Picture, either stretched into the control or at the picture's
// own size (the control then takes that size, as the classic control does). A stretched picture
// keeps its width-to-height ratio: it is scaled to fit and centred, and the rest of the control
// is left unpainted so whatever lies behind it shows. Pictures are decoded for the control's size
// in device pixels, so a 2x screen gets twice the pixels and nothing is scaled again when drawn.
// Stretched pictures that fit the shared thumbnail sizes come through the thumbnail cache.
// Mouse actions are forwarded as signals so the windows that own the control decide what they mean.
#include "controls/Picture.h"

#include <QWidget>

class QTimer;

namespace wk::controls {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    // A stretched picture read from a file is decoded again this long after the last resize
    // step, so dragging a window's edge decodes once, when the size settles.
    static constexpr int redecodeDelayMs = 150;

    explicit ImageControl(QWidget* parent = nullptr);

    // Shows `picture` as it is (scaled to the control when stretching); an empty picture clears
    // the control.
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    // Decodes `file` to fit the control's current size in device pixels when stretching (natural
    // size otherwise) and shows it. Throws PictureError and leaves the shown picture unchanged on
    // failure.
    void load(const QString& file);
    // Shows no picture but a drawn notice in its place: `title` and, below it, `detail` (a path
    // or a reason), which is also the control's tooltip while the notice shows. Showing a
    // picture or clearing the control ends it.
    void showNotice(const QString& title, const QString& detail);
    QString noticeTitle() const { return noticeTitle_; }
    void clear();
    // The size in device pixels load() decodes for: the control's size when stretching, empty
    // (natural size) otherwise.
    QSize decodeBox() const;
    // Shows a picture that decodeForControl() made for this control's decodeBox(), e.g. on
    // another thread, as load() would have.
    void showDecoded(const Picture& picture);

    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    // True while a resize waits to have the picture decoded again.
    bool redecodePending() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The shown picture was decoded from its file for this control (by load() or after a resize).
    void pictureDecoded();
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
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

protected:
    bool event(QEvent* event) override;

private:
    // The control's size in device pixels.
    QSize deviceBox() const;
    // Where a stretched picture of `imageSize` pixels is drawn: fitted, centred, and on whole
    // device pixels so an image decoded for the box is drawn pixel for pixel.
    QRectF fittedRect(QSize imageSize) const;
    void redecode();
    void fitToPicture();
    void drawNotice();

    Picture picture_;
    bool stretch_ = false;
    bool leftPressed_ = false;
    QSize decodedFor_; // the device box the shown picture was made for
    QTimer* redecodeTimer_;
    QString noticeTitle_;
    QString noticeDetail_;
};

// Decodes `file` for a control whose decodeBox() is `box` on a screen of `devicePixelRatio`.
// Touches no widget, so it may run on any thread. Throws PictureError.
Picture decodeForControl(const QString& file, QSize box, qreal devicePixelRatio);

// Shows `file` stretched into a thumbnail slot; an empty name, or a file that cannot be read,
// leaves the slot empty.
void loadThumbnail(ImageControl* slot, const QString& file);

} // namespace wk::controls
