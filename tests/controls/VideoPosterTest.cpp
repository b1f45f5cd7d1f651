// Videos made with Debian's ffmpeg, loaded through the picture loader as their poster frames; and
// what phones and broken copies hand over instead of a video.
#include "controls/Picture.h"
#include "controls/VideoPoster.h"
#include "VideoClips.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wk::controls;
using wk::testing::VideoClips;

namespace {

class VideoPoster : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VideoClips::ffmpegMissing())
            GTEST_SKIP() << "ffmpeg is not installed";
    }

    QString clip(const QString& name, const QStringList& arguments) { return clips.make(name, arguments); }
    static QStringList colour(const char* name, const char* size = "320x240", const char* seconds = "1")
    {
        return VideoClips::colour(name, size, seconds);
    }
    // The colour near the poster's top left corner, clear of the marks drawn on it.
    static QColor cornerOf(const Picture& picture) { return picture.image.pixelColor(4, 4); }

    VideoClips clips;
    QTemporaryDir& dir = clips.dir;
};

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

TEST_F(VideoPoster, EachPhoneFormatShowsItsFirstFrameThatIsNotBlackTurnedUpright)
{
    struct Case {
        QString name;
        QStringList arguments;
        QColor poster;
        QSize shown;
    };
    const Case cases[] = {
        // A black first second: the poster is the first frame after it.
        {"black-start.mp4",
         colour("black") + colour("red") +
             QStringList{"-filter_complex", "[0][1]concat=n=2:v=1,format=yuv420p", "-c:v", "libx264"},
         Qt::red,
         {320, 240}},
        {"clip.mov",
         colour("blue") + QStringList{"-c:v", "libx265", "-x265-params", "log-level=error", "-tag:v", "hvc1"},
         Qt::blue,
         {320, 240}},
        {"clip.webm",
         colour("lime", "160x120") + QStringList{"-c:v", "libvpx-vp9"},
         QColor(0, 255, 0),
         {160, 120}},
        // Black all through: the first frame.
        {"night.MKV", colour("black", "160x120") + QStringList{"-c:v", "libx264"}, Qt::black, {160, 120}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = clip(c.name, c.arguments);
        EXPECT_TRUE(hasVideoName(path));
        EXPECT_EQ(pictureSize(path), c.shown);
        const Picture poster = loadPicture(path);
        EXPECT_EQ(poster.naturalSize, c.shown);
        EXPECT_EQ(poster.image.size(), c.shown);
        EXPECT_TRUE(near(cornerOf(poster), c.poster)) << cornerOf(poster).name().toStdString();
        // Fitted into a thumbnail's box like any picture, the play mark in its middle.
        const Picture small = loadPicture(path, {80, 80});
        EXPECT_LE(small.image.width(), 80);
        EXPECT_LE(small.image.height(), 80);
        EXPECT_FALSE(near(small.image.pixelColor(small.image.rect().center()), c.poster));
    }
    EXPECT_NEAR(double(readVideoFacts(dir.filePath("black-start.mp4")).lengthMs), 2000.0, 100.0);

    // A phone's portrait video: landscape frames, red left and blue right, and the quarter turn to
    // show them with; upright as ffmpeg's own player turns it (blue above, red below).
    const QString landscape =
        clip("landscape.mov",
             QStringList{"-f", "lavfi", "-i",
                         "color=red:s=160x240:d=1:r=25[a];color=blue:s=160x240:d=1:r=25[b];[a][b]hstack",
                         "-c:v", "libx265", "-x265-params", "log-level=error", "-tag:v", "hvc1"});
    const QString portrait =
        clip("portrait.mov", {"-i", landscape, "-c", "copy", "-metadata:s:v:0", "rotate=90"});
    EXPECT_EQ(pictureSize(portrait), QSize(240, 320));
    const Picture upright = loadPicture(portrait);
    ASSERT_EQ(upright.image.size(), QSize(240, 320));
    EXPECT_TRUE(near(upright.image.pixelColor(4, 4), Qt::blue));
    EXPECT_TRUE(near(upright.image.pixelColor(4, 315), Qt::red));
}

TEST_F(VideoPoster, WhatIsNoVideoFailsCleanlyOrShowsAsThePictureItIs)
{
    const QString sound = clip("sound.mp4", {"-f", "lavfi", "-i", "sine=d=1", "-c:a", "aac"});
    const QString coverOnly = clip("sound-with-cover.mp4",
                                   QStringList{"-f", "lavfi", "-i", "sine=d=1"} + colour("red", "64x64") +
                                       QStringList{"-map", "0", "-map", "1", "-frames:v", "1", "-c:a", "aac",
                                                   "-c:v", "mjpeg", "-disposition:v:0", "attached_pic"});
    const QString whole = clip("whole.mp4", colour("red") + QStringList{"-c:v", "libx264"});
    const QByteArray bytes = VideoClips::contentsOf(whole);
    const auto write = [&](const char* name, const QByteArray& contents) {
        return clips.write(name, contents);
    };
    // What the contents say: a video cut short starts as one, and is no more readable than a
    // missing file; sound (with its cover picture or without), nothing and noise are no videos.
    const struct {
        QString path;
        VideoContent content;
    } cases[] = {
        {sound, VideoContent::NotVideo},
        {coverOnly, VideoContent::NotVideo},
        {write("truncated.mp4", bytes.left(bytes.size() / 3)), VideoContent::Unreadable},
        {write("empty.mov", {}), VideoContent::NotVideo},
        {write("noise.m4v", QByteArray(4096, 'x')), VideoContent::NotVideo},
        {dir.filePath("gone.mp4"), VideoContent::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_THROW(loadPicture(c.path), PictureError);
        EXPECT_THROW(pictureSize(c.path), PictureError);
        EXPECT_EQ(videoContentOf(c.path), c.content);
    }
    EXPECT_EQ(videoContentOf(whole), VideoContent::Video);

    // A picture a phone saved under a video's name is the picture it is.
    QImage green(64, 48, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(dir.filePath("photo.mp4"), "JPG"));
    EXPECT_EQ(pictureSize(dir.filePath("photo.mp4")), QSize(64, 48));
    EXPECT_TRUE(near(loadPicture(dir.filePath("photo.mp4")).image.pixelColor(32, 24), Qt::green));
}

TEST_F(VideoPoster, BlackIsToldFromTheLumaOfEachRangeAndDepth)
{
    // A first second of `start`, then red; the poster shows `poster`.
    struct Case {
        const char* name;
        const char* start;
        QStringList encoding;
        QColor poster;
    };
    const Case cases[] = {
        // A phone's HDR video: ten bits a sample, black at 64 of 1023.
        {"ten-bit.mov",
         "black",
         {"-pix_fmt", "yuv420p10le", "-c:v", "libx265", "-x265-params", "log-level=error"},
         Qt::red},
        // Full range: a grey of 20 of 255 is dark but not black.
        {"full-range.mp4", "0x141414", {"-pix_fmt", "yuvj420p", "-c:v", "libx264"}, QColor(20, 20, 20)},
        // Video range: a grey of 8 of 255 is black.
        {"near-black.mp4", "0x080808", {"-pix_fmt", "yuv420p", "-c:v", "libx264"}, Qt::red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            clip(c.name, colour(c.start) + colour("red") +
                             QStringList{"-filter_complex", "[0][1]concat=n=2:v=1"} + c.encoding);
        const QColor corner = cornerOf(loadPicture(path));
        EXPECT_TRUE(near(corner, c.poster)) << corner.name().toStdString();
    }
}
