#include "controls/VideoPlayer.h"

#include "controls/ImageControl.h"
#include "controls/VideoFrames.h"
#include "controls/VideoPoster.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QKeyEvent>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPainter>
#include <QSlider>
#include <QToolButton>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

extern "C" {
#include <libavutil/cpu.h>
}

#include <algorithm>
#include <limits>
#include <mutex>

namespace wk::controls {

namespace {

// The play or pause face in white, to stand out on the player's black bar.
QIcon mediaFace(bool pause, int side)
{
    QPixmap face(side, side);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const qreal s = side;
    if (pause) {
        painter.drawRect(QRectF(s * 0.22, s * 0.18, s * 0.2, s * 0.64));
        painter.drawRect(QRectF(s * 0.58, s * 0.18, s * 0.2, s * 0.64));
    } else {
        const QPointF play[] = {{s * 0.25, s * 0.15}, {s * 0.85, s * 0.5}, {s * 0.25, s * 0.85}};
        painter.drawPolygon(play, 3);
    }
    return QIcon(face);
}

// Videos with more pixels than this (1080p and a little) are decoded on one thread.
constexpr qint64 kManyThreadsUpToPixels = 1920 * 1088;

// Players decoding on one thread now; FFmpeg's thread choice is one for the whole process.
int singleThreadedPlayers = 0;

} // namespace

// Qt 6.4's FFmpeg backend decodes with as many frame threads as there are cores and one more, and
// each thread holds frames in flight: a 4K HEVC video took 300 MB on two cores that way, and more
// with every core. A video larger than 1080p is therefore decoded on one thread, which bounds its
// memory on any machine at the cost of frames dropped where one core cannot keep up. The choice is
// FFmpeg's process-wide core count, which decoders read when they open; posters opened meanwhile
// decode on one thread too, more slowly but correctly.
void VideoPlayer::limitDecoderThreads(const QSize& frameSize)
{
    const bool single = qint64(frameSize.width()) * frameSize.height() > kManyThreadsUpToPixels;
    if (single == singleThreaded_)
        return;
    singleThreaded_ = single;
    singleThreadedPlayers += single ? 1 : -1;
    av_cpu_force_count(singleThreadedPlayers > 0 ? 1 : 0); // 0: FFmpeg counts the cores again
}

// The video's frames painted as they come, fitted and centred on black; the poster until the first
// one. Painted rather than shown through QVideoWidget, whose native window would cover the
// slideshow's caption and stand black on the screen until the first frame is decoded. Each frame
// is scaled to the surface on the thread that delivers it, so a 4K video neither holds the window
// up nor is converted at its full size.
class VideoPlayer::Surface : public QWidget {
public:
    explicit Surface(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        connect(
            sink_, &QVideoSink::videoFrameChanged, sink_, [this](const QVideoFrame& frame) { take(frame); },
            Qt::DirectConnection);
    }

    QVideoSink* sink() const { return sink_; }

    // Shows `poster` until the next frame; empty, black.
    void start(const QImage& poster)
    {
        {
            const std::lock_guard lock(mutex_);
            shown_ = poster;
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage shown;
        {
            const std::lock_guard lock(mutex_);
            shown = shown_;
            updatePending_ = false;
        }
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (shown.isNull())
            return;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF size = QSizeF(shown.size()).scaled(QSizeF(this->size()), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size),
                          shown);
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        const std::lock_guard lock(mutex_);
        box_ = size() * devicePixelRatioF();
    }

private:
    // On the thread that delivers the frame.
    void take(const QVideoFrame& frame)
    {
        QSize box;
        {
            const std::lock_guard lock(mutex_);
            box = box_;
        }
        QImage image = fittedFrameImage(frame, box);
        if (image.isNull())
            return;
        const std::lock_guard lock(mutex_);
        shown_ = std::move(image);
        // One repaint waits at a time; it paints the newest frame.
        if (!updatePending_) {
            updatePending_ = true;
            QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
        }
    }

    QVideoSink* sink_;
    std::mutex mutex_; // guards what follows, shared with the delivering thread
    QImage shown_;
    QSize box_;
    bool updatePending_ = false;
};

void chooseMediaBackend()
{
    // Debian's GStreamer backend cannot play a phone's H.264 without plug-ins that are not
    // installed with Qt; the FFmpeg backend plays H.264, HEVC, VP9 and AV1 as they come.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

VideoPlayer::VideoPlayer(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus); // Space, Left and Right
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    media_ = new QMediaPlayer(this);
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        audio_ = new QAudioOutput(this);
        media_->setAudioOutput(audio_);
    }
    screen_ = new Surface(this);
    screen_->setObjectName(QStringLiteral("VideoScreen"));
    media_->setVideoSink(screen_->sink());

    notice_ = new ImageControl(this);
    notice_->setObjectName(QStringLiteral("VideoNotice"));
    notice_->hide();

    // Neither control takes the focus, so the arrow keys always jump rather than move the slider.
    playButton_ = new QToolButton(this);
    playButton_->setObjectName(QStringLiteral("PlayPause"));
    playButton_->setFocusPolicy(Qt::NoFocus);
    playButton_->setAutoRaise(true);
    positionSlider_ = new QSlider(Qt::Horizontal, this);
    positionSlider_->setObjectName(QStringLiteral("VideoPosition"));
    positionSlider_->setFocusPolicy(Qt::NoFocus);
    positionSlider_->setRange(0, 0);
    timeLabel_ = new QLabel(this);
    timeLabel_->setObjectName(QStringLiteral("VideoTime"));
    QPalette white = timeLabel_->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    timeLabel_->setPalette(white);

    connect(playButton_, &QToolButton::clicked, this, &VideoPlayer::togglePause);
    connect(positionSlider_, &QSlider::sliderMoved, media_, &QMediaPlayer::setPosition);
    connect(media_, &QMediaPlayer::positionChanged, this, &VideoPlayer::followPosition);
    connect(media_, &QMediaPlayer::durationChanged, this, &VideoPlayer::followLength);
    connect(media_, &QMediaPlayer::playbackStateChanged, this, &VideoPlayer::showPlaying);
    connect(media_, &QMediaPlayer::mediaStatusChanged, this, &VideoPlayer::followMediaStatus);
    connect(media_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) { fail(text); });
    showPlaying();
    layOut();
}

VideoPlayer::~VideoPlayer()
{
    // Stopped before its outputs go: the backend's threads may still be delivering frames.
    media_->stop();
    limitDecoderThreads({});
}

void VideoPlayer::play(const QString& file, const QImage& poster)
{
    stop();
    file_ = file;
    facts_ = {};
    failure_.clear();
    notice_->hide();
    screen_->start(poster);
    screen_->show();
    try {
        // A clear reason for a file that is no video, before the backend tries; and the frame size,
        // which decides how many threads decode it.
        facts_ = readVideoFacts(file);
        limitDecoderThreads(facts_.frameSize);
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
        return;
    }
    media_->setSource(QUrl::fromLocalFile(file));
    media_->play();
}

void VideoPlayer::togglePause()
{
    if (!failure_.isEmpty() || file_.isEmpty())
        return;
    if (isPlaying())
        media_->pause();
    else
        media_->play(); // from the start again once it has ended
}

void VideoPlayer::jumpBy(qint64 ms)
{
    if (!failure_.isEmpty() || !media_->isSeekable())
        return;
    const qint64 length = media_->duration();
    qint64 to = std::max<qint64>(0, media_->position() + ms);
    if (length > 0)
        to = std::min(to, length);
    media_->setPosition(to);
}

void VideoPlayer::stop()
{
    media_->stop();
    media_->setSource(QUrl());
    limitDecoderThreads({});
}

void VideoPlayer::setControlsShown(bool shown)
{
    controlsShown_ = shown;
    layOut();
}

bool VideoPlayer::isPlaying() const { return media_->playbackState() == QMediaPlayer::PlayingState; }

qint64 VideoPlayer::positionMs() const { return media_->position(); }

qint64 VideoPlayer::lengthMs() const
{
    const qint64 played = media_->duration();
    return played > 0 ? played : facts_.lengthMs;
}

void VideoPlayer::fail(const QString& reason)
{
    if (!failure_.isEmpty())
        return; // the first reason is the one that counts
    failure_ = reason.isEmpty() ? QStringLiteral("the video cannot be played") : reason;
    media_->stop();
    limitDecoderThreads({});
    screen_->hide();
    notice_->showNotice(QStringLiteral("Picture cannot be shown"), failure_);
    notice_->show();
    notice_->update();
    showPlaying();
    Q_EMIT failed(failure_);
}

void VideoPlayer::followMediaStatus()
{
    switch (media_->mediaStatus()) {
    case QMediaPlayer::InvalidMedia:
        fail(media_->errorString());
        break;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        if (!media_->hasVideo())
            fail(QStringLiteral("the file holds no pictures, only sound"));
        break;
    case QMediaPlayer::EndOfMedia:
        Q_EMIT finished();
        break;
    default:
        break;
    }
}

void VideoPlayer::followPosition(qint64 ms)
{
    if (!positionSlider_->isSliderDown())
        positionSlider_->setValue(int(std::min<qint64>(ms, positionSlider_->maximum())));
    timeLabel_->setText(videoTimeText(ms) + QStringLiteral(" / ") + videoTimeText(media_->duration()));
}

void VideoPlayer::followLength(qint64 ms)
{
    positionSlider_->setRange(0, int(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
    followPosition(media_->position());
}

void VideoPlayer::showPlaying()
{
    const bool playing = isPlaying();
    playButton_->setIcon(mediaFace(playing, 64));
    playButton_->setToolTip(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    playButton_->setEnabled(failure_.isEmpty() && !file_.isEmpty());
}

void VideoPlayer::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        togglePause();
        break;
    case Qt::Key_Left:
        jumpBy(-kJumpMs);
        break;
    case Qt::Key_Right:
        jumpBy(kJumpMs);
        break;
    default:
        QWidget::keyPressEvent(event); // Esc and the rest belong to the window
        return;
    }
    event->accept();
}

void VideoPlayer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void VideoPlayer::layOut()
{
    const int bar = controlsShown_ ? std::max(28, fontMetrics().height() * 2) : 0;
    const QRect picture(0, 0, width(), std::max(0, height() - bar));
    screen_->setGeometry(picture);
    notice_->setGeometry(picture);
    for (QWidget* control : {static_cast<QWidget*>(playButton_), static_cast<QWidget*>(positionSlider_),
                             static_cast<QWidget*>(timeLabel_)})
        control->setVisible(controlsShown_);
    if (!controlsShown_)
        return;
    const int margin = bar / 6;
    const int timeWidth = timeLabel_->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 / 00:00:00"));
    playButton_->setGeometry(margin, picture.bottom() + 1, bar, bar);
    playButton_->setIconSize(QSize(bar - 2 * margin, bar - 2 * margin));
    timeLabel_->setGeometry(width() - timeWidth - margin, picture.bottom() + 1, timeWidth, bar);
    positionSlider_->setGeometry(bar + 2 * margin, picture.bottom() + 1,
                                 std::max(0, timeLabel_->x() - bar - 4 * margin), bar);
}

} // namespace wk::controls
