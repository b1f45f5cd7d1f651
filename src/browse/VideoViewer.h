#pragma once
// The video viewer: a video entry's video playing in a window that takes the main window's place,
// as the enlarged viewer does for a picture. The player's own keys work in it (Space, Left,
// Right); Esc or closing the window stops the video and brings the main window back. Each opening
// starts the video afresh, so nothing is kept between openings.
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace wk::controls {
class VideoPlayer;
}

namespace wk::browse {

class VideoViewer : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` is hidden while the viewer is shown and shown again when it goes.
    explicit VideoViewer(QWidget* mainWindow);

    // Opens the viewer kept in `slot` (making it first when needed) playing `file`, its poster
    // `poster` showing until the first frame.
    static VideoViewer* open(QPointer<VideoViewer>& slot, QWidget* mainWindow, const QString& file,
                             const QImage& poster);

    controls::VideoPlayer* player = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override; // Esc
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void backToMainWindow();

    QPointer<QWidget> mainWindow_;
};

} // namespace wk::browse
