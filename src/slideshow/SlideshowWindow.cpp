#include "slideshow/SlideshowWindow.h"

#include "contracts/EntryLines.h"
#include "controls/ImageControl.h"
#include "controls/LineList.h"
#include "controls/Steps.h"
#include "controls/VideoPlayer.h"
#include "controls/VideoPoster.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace wk::slideshow {

SlideshowWindow::SlideshowWindow(const SlideshowParts& parts, int firstLine)
    : parts_(parts), picture_(new controls::ImageControl(this)), caption_(new QLabel(this)),
      video_(new controls::VideoPlayer(this)), line_(std::max(firstLine, 0)),
      seconds_(std::clamp(parts.seconds, kMinSeconds, kMaxSeconds))
{
    intervalMs_ = seconds_ * 1000;
    clock_.start();
    setObjectName(QStringLiteral("FullScreenShow"));
    setWindowTitle(QStringLiteral("Wanderkeep Slideshow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, Qt::white);
    setPalette(dark);
    setCursor(Qt::BlankCursor);

    picture_->setObjectName(QStringLiteral("SlidePicture"));
    picture_->setStretch(true);
    caption_->setObjectName(QStringLiteral("SlideCaption"));
    caption_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    caption_->hide();
    // Over the picture while a video plays; the keys stay the show's.
    video_->setObjectName(QStringLiteral("SlideVideo"));
    video_->setControlsShown(false);
    video_->setFocusPolicy(Qt::NoFocus);
    video_->hide();
    connect(video_, &controls::VideoPlayer::finished, this, &SlideshowWindow::stepAfterVideo);
    // Its notice then stays for the usual time.
    connect(video_, &controls::VideoPlayer::failed, this, &SlideshowWindow::restartTimer);

    decoding_.setMaxThreadCount(1);
    stepTimer_.setTimerType(Qt::PreciseTimer);
    stepTimer_.setSingleShot(true);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { step(+1, dueAtNs_); });
    captionTimer_.setTimerType(Qt::PreciseTimer);
    captionTimer_.setSingleShot(true);
    connect(&captionTimer_, &QTimer::timeout, caption_, &QWidget::hide);
}

SlideshowWindow::~SlideshowWindow() { decoding_.waitForDone(); }

int SlideshowWindow::lineCount() const { return parts_.entryList->count(); }

void SlideshowWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (started_)
        return;
    started_ = true;
    // The first picture is decoded for the full-screen box, once the window has its size.
    QTimer::singleShot(0, this, [this] { showLine(std::min(line_, lineCount() - 1)); });
}

SlideshowWindow::Slide SlideshowWindow::slideOf(int line) const
{
    Slide slide;
    controls::skipStep([&] {
        const store::DataSource& entry = parts_.entryLines.positionOnLine(line);
        const QString title = store::fieldText(entry, store::kTitleField);
        const QDate date = store::fieldDate(entry, store::kDateField);
        slide.caption = date.isValid() ? title + QLatin1Char('\n') + dates::formatLong(date) : title;
    });
    controls::skipStep([&] { slide.file = parts_.entryLines.pictureOfLine(line); });
    return slide;
}

SlideshowWindow::Decoded SlideshowWindow::decodeSlide(const QString& file, QSize box, qreal ratio)
{
    if (file.isEmpty())
        return {{}, QStringLiteral("No picture"), QString()};
    if (!QFileInfo::exists(file))
        return {{}, QStringLiteral("Picture not found"), QDir::toNativeSeparators(file)};
    try {
        return {controls::decodeForControl(file, box, ratio), QString(), QString(),
                controls::isVideoFile(file)};
    } catch (const controls::PictureError& failure) {
        return {{}, QStringLiteral("Picture cannot be shown"), QString::fromUtf8(failure.what())};
    }
}

void SlideshowWindow::decodeAhead(int line)
{
    if (line < 0 || line >= lineCount() || ahead_.line == line)
        return;
    const QString file = slideOf(line).file;
    ahead_.line = line;
    ahead_.decoded = QtConcurrent::run(&decoding_, &SlideshowWindow::decodeSlide, file, picture_->decodeBox(),
                                       devicePixelRatioF());
}

void SlideshowWindow::showLine(int line, qint64 dueAtNs)
{
    if (line < 0 || line >= lineCount())
        return;
    line_ = line;
    const Slide slide = slideOf(line);
    const Decoded decoded = ahead_.line == line
                                ? ahead_.decoded.result()
                                : decodeSlide(slide.file, picture_->decodeBox(), devicePixelRatioF());
    ahead_ = {};
    stopVideo();
    if (decoded.noticeTitle.isEmpty())
        picture_->showDecoded(decoded.picture);
    else
        picture_->showNotice(decoded.noticeTitle, decoded.noticeDetail);
    showCaption(slide.caption);
    picture_->repaint();
    if (decoded.video)
        playVideo(slide.file, decoded.picture.image);
    // On the screen now: what follows (the timer, the next decode) is not the slide's lateness.
    if (dueAtNs >= 0)
        lastLatencyUs_ = (clock_.nsecsElapsed() - dueAtNs) / 1000;
    Q_EMIT slideShown(line);
    restartTimer();
    decodeAhead(line + 1 < lineCount() ? line + 1 : 0);
}

void SlideshowWindow::showCaption(const QString& text)
{
    caption_->setText(text);
    placeCaption();
    caption_->setVisible(!text.isEmpty());
    caption_->raise();
    captionTimer_.start(kCaptionMs);
}

void SlideshowWindow::placeCaption()
{
    // Readable from the sofa: a thirtieth of the screen's height, low in the middle. A new style
    // sheet polishes the label again, so it is set only when that height changes.
    const int textHeight = std::max(14, height() / 30);
    if (textHeight != captionTextHeight_) {
        captionTextHeight_ = textHeight;
        caption_->setStyleSheet(QStringLiteral("QLabel { color: white; background: rgba(0, 0, 0, 160); "
                                               "font-size: %1px; padding: %2px; border-radius: %2px; }")
                                    .arg(textHeight)
                                    .arg(textHeight / 2));
    }
    caption_->adjustSize();
    caption_->move((width() - caption_->width()) / 2, height() - caption_->height() - height() / 8);
}

void SlideshowWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    video_->setGeometry(rect());
    placeCaption();
}

void SlideshowWindow::restartTimer()
{
    if (paused_) {
        stepTimer_.stop();
        return;
    }
    int ms = intervalMs_;
    // A playing video ends its step itself; this is the latest the step ends when it does not.
    const qint64 length = video_->lengthMs();
    if (!video_->isHidden() && video_->failure().isEmpty() && length > 0)
        ms = int(std::max<qint64>(0, length - video_->positionMs()) + kVideoGraceMs);
    dueAtNs_ = clock_.nsecsElapsed() + qint64(ms) * 1000000;
    stepTimer_.start(ms);
}

void SlideshowWindow::playVideo(const QString& file, const QImage& poster)
{
    video_->setGeometry(rect());
    video_->show();
    caption_->raise();
    video_->play(file, poster);
    if (!paused_)
        restartTimer();
    else
        video_->togglePause(); // paused shows wait with the video at its start
}

void SlideshowWindow::stopVideo()
{
    if (video_->isHidden())
        return;
    video_->stop();
    video_->hide();
}

void SlideshowWindow::stepAfterVideo()
{
    if (!paused_)
        step(+1);
}

void SlideshowWindow::setIntervalMs(int ms)
{
    intervalMs_ = std::max(ms, 1);
    restartTimer();
}

void SlideshowWindow::step(int by, qint64 dueAtNs)
{
    const int count = lineCount();
    if (count == 0)
        return;
    showLine(((line_ + by) % count + count) % count, dueAtNs);
}

void SlideshowWindow::setPaused(bool paused)
{
    paused_ = paused;
    if (!video_->isHidden() && video_->isPlaying() == paused)
        video_->togglePause();
    restartTimer();
}

void SlideshowWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        step(+1);
        break;
    case Qt::Key_Left:
        step(-1);
        break;
    case Qt::Key_Home:
        showLine(0);
        break;
    case Qt::Key_End:
        showLine(lineCount() - 1);
        break;
    case Qt::Key_Space:
        setPaused(!paused_);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        seconds_ = std::clamp(seconds_ + (event->key() == Qt::Key_Up ? 1 : -1), kMinSeconds, kMaxSeconds);
        intervalMs_ = seconds_ * 1000;
        if (parts_.rememberSeconds)
            parts_.rememberSeconds(seconds_);
        showCaption(seconds_ == 1 ? QStringLiteral("1 second a picture")
                                  : QStringLiteral("%1 seconds a picture").arg(seconds_));
        restartTimer();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SlideshowWindow::closeEvent(QCloseEvent* event)
{
    stepTimer_.stop();
    stopVideo();
    if (!ended_) {
        ended_ = true;
        Q_EMIT ended(line_);
    }
    QWidget::closeEvent(event);
}

} // namespace wk::slideshow
