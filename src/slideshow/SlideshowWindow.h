#pragma once
// A full-screen slideshow of the entry list's entries, from a chosen line onwards.
//
// Each entry shows for a number of seconds (the caller remembers it between runs); its title and
// date show over the picture for the first two seconds. Left/Right step, Space pauses and goes
// on, Home and End go to the ends, Up/Down show each picture a second longer or shorter, Esc ends
// the show (the window then closes and says which line it ended on). After the last entry the
// show starts again at the first. A missing or broken picture shows its notice for its time; the
// show goes on. The next picture is decoded while the current one shows.
//
// A video plays to its end, silently where there is no audio output, and the show then goes on;
// its step ends at its length and two seconds at the latest. Space pauses the video with the show.
// Until it plays, and when it cannot be played, its poster frame or notice shows for the usual time.
#include "controls/Forward.h"
#include "controls/Picture.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

namespace wk::contracts {
class EntryLines;
}

namespace wk::slideshow {

struct SlideshowParts {
    contracts::EntryLines& entryLines;
    controls::LineList* entryList; // its lines are the slides
    int seconds;                   // how long each entry shows
    std::function<void(int seconds)> rememberSeconds;
};

class SlideshowWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionMs = 2000; // the title and date show this long
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 60;
    static constexpr int kVideoGraceMs = 2000; // a video's step ends this long after its length

    // A show of `parts.entryList`'s lines that starts at `firstLine` once shown.
    SlideshowWindow(const SlideshowParts& parts, int firstLine);
    ~SlideshowWindow() override;

    int line() const { return line_; }
    bool paused() const { return paused_; }
    int seconds() const { return seconds_; }
    // Shows each picture `ms` milliseconds instead of the seconds (a benchmark's quick show);
    // not remembered.
    void setIntervalMs(int ms);
    // How long after its due time the last slide the show stepped to on its own was on the
    // screen, in microseconds; -1 before any. Already this slide's in a slideShown() handler.
    qint64 lastLatencyUs() const { return lastLatencyUs_; }
    // The picture control and the caption, for a look at what shows.
    controls::ImageControl* picture() const { return picture_; }
    QLabel* caption() const { return caption_; }
    // The player of video slides; shown only while one plays.
    controls::VideoPlayer* videoPlayer() const { return video_; }

Q_SIGNALS:
    // Line `line`'s slide is on the screen.
    void slideShown(int line);
    // The show ended on line `line` (the window closes).
    void ended(int line);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A decoded slide: the picture, or why there is none.
    struct Decoded {
        controls::Picture picture;
        QString noticeTitle; // empty: the picture shows
        QString noticeDetail;
        bool video = false; // played once shown, from its poster
    };
    struct Slide {
        QString caption;
        QString file;
    };

    int lineCount() const;
    Slide slideOf(int line) const;
    // Runs on the decoding thread: touches no widget.
    static Decoded decodeSlide(const QString& file, QSize box, qreal devicePixelRatio);
    // Shows `text` over the picture for the caption's two seconds.
    void showCaption(const QString& text);
    void placeCaption();
    // `dueAtNs` (on clock_) is when an automatic step was due, -1 for any other.
    void showLine(int line, qint64 dueAtNs = -1);
    void decodeAhead(int line);
    void step(int by, qint64 dueAtNs = -1);
    void setPaused(bool paused);
    void restartTimer();
    void playVideo(const QString& file, const QImage& poster);
    void stopVideo();
    void stepAfterVideo();

    SlideshowParts parts_;
    controls::ImageControl* picture_;
    QLabel* caption_;
    controls::VideoPlayer* video_;
    QTimer stepTimer_;
    QTimer captionTimer_;
    QThreadPool decoding_;
    struct Ahead {
        int line = -1;
        QFuture<Decoded> decoded;
    } ahead_;
    int intervalMs_;
    QElapsedTimer clock_; // runs from the window's creation
    qint64 dueAtNs_ = -1; // on clock_: when the running step timer is due
    qint64 lastLatencyUs_ = -1;
    int captionTextHeight_ = 0; // the caption's style sheet is for this text height
    int line_;
    int seconds_;
    bool paused_ = false;
    bool started_ = false;
    bool ended_ = false;
};

} // namespace wk::slideshow
