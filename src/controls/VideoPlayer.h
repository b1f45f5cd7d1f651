#pragma once
// A video playing in a widget: the picture, and below it a play/pause button, a position slider
// and the time. Space plays and pauses, Left and Right jump 5 seconds. Played through Qt
// Multimedia's FFmpeg backend (chooseMediaBackend() picks it before the application exists), with
// sound only where the computer has an audio output: without a device, attaching one crashes
// Qt 6.4's backend, so the video then plays silently.
//
// A file that is no playable video (missing, damaged, sound only, vanished while playing) shows
// the "Picture cannot be shown" notice with the reason in the picture's place, and failed() tells
// the owner; the window stays responsive throughout, as decoding runs on the backend's threads.
#include "controls/VideoPoster.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace wk::controls {

class ImageControl;

// Chooses the FFmpeg backend for Qt Multimedia unless QT_MEDIA_BACKEND says otherwise. Must run
// before the application object is created: Qt reads the choice once.
void chooseMediaBackend();

class VideoPlayer : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kJumpMs = 5000; // Left and Right

    explicit VideoPlayer(QWidget* parent = nullptr);
    ~VideoPlayer() override;

    // Plays `file` from its start, showing `poster` until its first frame. A file that is no video
    // shows its notice and emits failed().
    void play(const QString& file, const QImage& poster = {});
    void togglePause();
    // Moves the position by `ms` (negative: back), within the video.
    void jumpBy(qint64 ms);
    void stop();

    // The controls under the picture; hidden, the picture fills the widget (the slideshow).
    void setControlsShown(bool shown);

    QString file() const { return file_; }
    bool isPlaying() const;
    qint64 positionMs() const;
    // The backend's length once it has opened the file, the container's until then; -1 unknown.
    qint64 lengthMs() const;
    // The notice's reason while a failure shows; empty otherwise.
    QString failure() const { return failure_; }
    QMediaPlayer* mediaPlayer() const { return media_; }

Q_SIGNALS:
    // The video played to its end.
    void finished();
    // The video cannot be played; `reason` is shown under the notice.
    void failed(const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fail(const QString& reason);
    // Decodes on one thread while a video larger than 1080p plays; an empty size ends that.
    void limitDecoderThreads(const QSize& frameSize);
    void followMediaStatus();
    void followPosition(qint64 ms);
    void followLength(qint64 ms);
    void showPlaying();
    void layOut();

    QMediaPlayer* media_ = nullptr;
    QAudioOutput* audio_ = nullptr; // none without an audio device
    class Surface;
    Surface* screen_ = nullptr;
    ImageControl* notice_ = nullptr;
    QToolButton* playButton_ = nullptr;
    QSlider* positionSlider_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    bool controlsShown_ = true;
    QString file_;
    QString failure_;
    VideoFacts facts_; // of the file playing, read before the backend opens it
    bool singleThreaded_ = false;
};

} // namespace wk::controls
