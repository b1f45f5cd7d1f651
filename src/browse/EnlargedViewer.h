#pragma once
// The enlarged viewer: the big picture of the main window at its natural size, in a window that
// takes the main window's place. The viewport fills the window; a picture smaller than it is
// centred, a larger one is moved by two scroll bars whose ranges cover what is hidden. Ctrl+wheel
// and the keys + and - zoom, 0 fits the whole picture to the window and 1 returns to natural
// size. A click on the picture or on the back arrow returns to the main window.
//
// The viewer and the main window are never shown together. Returning by a click only hides the
// viewer, so it keeps its picture and scroll positions for the next opening; closing it from
// the title bar unloads it (the next opening starts afresh).
#include <QPointer>
#include <QWidget>

class QScrollBar;

namespace wk::controls {
class ImageControl;
struct Picture;
} // namespace wk::controls

namespace wk::browse {

class EnlargedViewer : public QWidget {
    Q_OBJECT
public:
    // Scroll values are 16-bit in the program's model; larger pictures stop scrolling there.
    static constexpr int maxScrollValue = 32767;

    // `mainWindow` is hidden while the viewer is shown and shown again when it goes.
    explicit EnlargedViewer(QWidget* mainWindow);

    // Opens the viewer kept in `slot` (loading it first when needed) on `shown`, the picture of
    // the main window's big image, at natural size. That image holds a copy decoded for its own
    // size, so the viewer always reads the file again at natural size (a JPEG over the loader's
    // bound as large as the bound allows); a picture that cannot be read again is shown as it is.
    static EnlargedViewer* open(QPointer<EnlargedViewer>& slot, QWidget* mainWindow,
                                const controls::Picture& shown);

    QWidget* pictureViewport = nullptr;
    controls::ImageControl* pictureView = nullptr;
    QScrollBar* horizontalScroller = nullptr;
    QScrollBar* verticalScroller = nullptr;
    controls::ImageControl* returnArrow = nullptr;

    // The part of the viewport the picture is seen in: all of it but the two scroll bars.
    QRect pictureArea() const;
    // The shown size over the decoded picture's size.
    double zoom() const { return zoom_; }

    void load();
    void followHorizontalScroller();
    void followHorizontalDrag();
    void followVerticalScroller();
    void followVerticalDrag();
    void returnOnPictureClick();
    void returnOnArrowClick();

protected:
    void closeEvent(QCloseEvent* event) override; // unload
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showPicture(const controls::Picture& picture);
    void layOutViewport();
    void setScrollRanges();
    // Zooms to `factor` keeping the picture's point under `anchor` (in the viewport) in place.
    void zoomTo(double factor, QPoint anchor);
    void fitToWindow();
    void placePicture();
    QPoint pictureOrigin() const;
    void backToMainWindow();
    void unload();

    QPointer<QWidget> mainWindow_;
    double zoom_ = 1;
    bool fitted_ = false; // 0 was pressed: the picture follows the window's size
};

} // namespace wk::browse
