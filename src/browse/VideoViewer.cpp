#include "browse/VideoViewer.h"

#include "controls/VideoPlayer.h"
#include "controls/WindowShowing.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>

namespace wk::browse {

VideoViewer::VideoViewer(QWidget* mainWindow) : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("VideoWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own, so hiding the main window leaves it on screen; never outliving it.
    if (mainWindow) {
        resize(mainWindow->size());
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);
    }
    player = new controls::VideoPlayer(this);
    player->setObjectName(QStringLiteral("VideoPlayback"));
    setFocusProxy(player);
}

VideoViewer* VideoViewer::open(QPointer<VideoViewer>& slot, QWidget* mainWindow, const QString& file,
                               const QImage& poster)
{
    if (!slot)
        slot = new VideoViewer(mainWindow);
    VideoViewer* viewer = slot;
    viewer->setWindowTitle(QFileInfo(file).fileName());
    viewer->setWindowState(viewer->windowState() | Qt::WindowMaximized);
    controls::showInFront(viewer);
    if (mainWindow)
        mainWindow->hide();
    viewer->player->setFocus();
    viewer->player->play(file, poster);
    return viewer;
}

void VideoViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        backToMainWindow();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void VideoViewer::closeEvent(QCloseEvent* event)
{
    player->stop();
    if (mainWindow_ && mainWindow_->isHidden())
        mainWindow_->show();
    event->accept();
}

void VideoViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    player->setGeometry(rect());
}

void VideoViewer::backToMainWindow()
{
    player->stop();
    // The main window comes first, so the screen is never left without either window.
    if (mainWindow_)
        mainWindow_->show();
    hide();
}

} // namespace wk::browse
