// Videos made with ffmpeg, loaded through the picture loader as their poster frames; and what
// phones and broken copies hand over instead of a video.
#include "controls/Picture.h"
#include "controls/VideoPoster.h"
#include "VideoClips.h"

#include <QImage>
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
    VideoClips clips;
};

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

// The colour near the poster's top left corner, clear of the marks drawn on it.
QColor cornerOf(const Picture& picture) { return picture.image.pixelColor(4, 4); }

const QStringList hevc{"-c:v", "libx265", "-x265-params", "log-level=error", "-tag:v", "hvc1"};
const QStringList x264{"-pix_fmt", "yuv420p", "-c:v", "libx264"};

// A first second of `start`, then red.
QStringList redAfter(const char* start, const QStringList& encoding)
{
    return VideoClips::colour(start) + VideoClips::colour("red") +
           QStringList{"-filter_complex", "[0][1]concat=n=2:v=1"} + encoding;
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
        // Black is told from the luma of each range and depth: the poster is the first frame
        // after a black start; ten bits a sample (as phones record HDR) have black at 64 of 1023;
        // in full range a grey of 20 of 255 is dark, in video range one of 8 is black.
        {"black-start.mp4", redAfter("black", x264), Qt::red, {320, 240}},
        {"ten-bit.mov",
         redAfter("black", {"-pix_fmt", "yuv420p10le", "-c:v", "libx265", "-x265-params", "log-level=error"}),
         Qt::red,
         {320, 240}},
        {"full-range.mp4",
         redAfter("0x141414", {"-pix_fmt", "yuvj420p", "-c:v", "libx264"}),
         QColor(20, 20, 20),
         {320, 240}},
        {"near-black.mp4", redAfter("0x080808", x264), Qt::red, {320, 240}},
        {"clip.mov", VideoClips::colour("blue") + hevc, Qt::blue, {320, 240}},
        {"clip.webm",
         VideoClips::colour("lime", "160x120") + QStringList{"-c:v", "libvpx-vp9"},
         Qt::green,
         {160, 120}},
        // Black all through: the first frame.
        {"night.MKV", VideoClips::colour("black", "160x120") + x264, Qt::black, {160, 120}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = clips.make(c.name, c.arguments);
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
    EXPECT_NEAR(double(readVideoFacts(clips.path("black-start.mp4")).lengthMs), 2000.0, 100.0);

    // A phone's portrait video: landscape frames, red left and blue right, with the quarter turn
    // to show them upright (blue above, red below).
    const QString landscape = clips.make(
        "landscape.mov",
        QStringList{"-f", "lavfi", "-i",
                    "color=red:s=160x240:d=1:r=25[a];color=blue:s=160x240:d=1:r=25[b];[a][b]hstack"} +
            hevc);
    const QString portrait =
        clips.make("portrait.mov", {"-i", landscape, "-c", "copy", "-metadata:s:v:0", "rotate=90"});
    EXPECT_EQ(pictureSize(portrait), QSize(240, 320));
    const Picture upright = loadPicture(portrait);
    ASSERT_EQ(upright.image.size(), QSize(240, 320));
    EXPECT_TRUE(near(upright.image.pixelColor(4, 4), Qt::blue));
    EXPECT_TRUE(near(upright.image.pixelColor(4, 315), Qt::red));
}

TEST_F(VideoPoster, WhatIsNoVideoFailsCleanlyOrShowsAsThePictureItIs)
{
    for (const auto& c : clips.broken()) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_THROW(loadPicture(c.path), PictureError);
        EXPECT_THROW(pictureSize(c.path), PictureError);
        EXPECT_EQ(videoContentOf(c.path), c.content);
    }
    EXPECT_EQ(videoContentOf(clips.path("whole.mp4")), VideoContent::Video);

    // A picture a phone saved under a video's name is the picture it is.
    QImage green(64, 48, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QString photo = clips.path("photo.mp4");
    ASSERT_TRUE(green.save(photo, "JPG"));
    EXPECT_EQ(pictureSize(photo), QSize(64, 48));
    EXPECT_TRUE(near(loadPicture(photo).image.pixelColor(32, 24), Qt::green));
}
