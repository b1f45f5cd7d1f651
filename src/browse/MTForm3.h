#pragma once
// The enlarged viewer: the big picture of the main window at its natural size, in a window that
// takes the main window's place. Two scroll bars move the picture inside a viewport of fixed
// size; a click on the picture or on the back arrow returns to the main window.
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

class MTForm3 : public QWidget {
    Q_OBJECT
public:
    // Scroll values are 16-bit in the program's model; larger pictures stop scrolling there.
    static constexpr int maxScrollValue = 32767;

    // `mainWindow` is hidden while the viewer is shown and shown again when it goes.
    explicit MTForm3(QWidget* mainWindow);

    // Opens the viewer kept in `slot` (loading it first when needed) on `shown`, the picture of
    // the main window's big image. That image holds a copy reduced to its own size, so the
    // viewer reads the file again at natural size (a JPEG over the loader's bound as large as the
    // bound allows); a picture that cannot be read again is shown as it is.
    static MTForm3* open(QPointer<MTForm3>& slot, QWidget* mainWindow, const controls::Picture& shown);

    QWidget* Picture1 = nullptr;
    controls::ImageControl* Picture2 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    controls::ImageControl* IMAGE10 = nullptr;

    void Form_Load();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void Picture2_Click();
    void Image10_Click();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    void showPicture(const controls::Picture& picture);
    void setScrollRanges();
    void backToMainWindow();
    void Form_Unload();

    QPointer<QWidget> mainWindow_;
};

} // namespace wk::browse
