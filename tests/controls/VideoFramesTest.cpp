// Decoded frames in the layouts a decoder hands over, turned into the picture that is shown.
#include "controls/VideoFrames.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <gtest/gtest.h>

using wk::controls::fittedFrameImage;

namespace {

// A frame of one colour, given as video-range Y, U and V (8-bit), in `format`.
QVideoFrame solidFrame(QVideoFrameFormat::PixelFormat format, QSize size, int y, int u, int v)
{
    QVideoFrame frame(QVideoFrameFormat(size, format));
    EXPECT_TRUE(frame.map(QVideoFrame::WriteOnly));
    const auto fill = [&](int plane, const QList<int>& pattern) {
        const int rows = plane == 0 ? frame.height() : (frame.height() + 1) / 2; // 4:2:0 colour planes
        for (int row = 0; row < rows; ++row) {
            uchar* line = frame.bits(plane) + qsizetype(row) * frame.bytesPerLine(plane);
            for (int x = 0; x < frame.bytesPerLine(plane); ++x)
                line[x] = uchar(pattern[x % pattern.size()]);
        }
    };
    switch (format) {
    case QVideoFrameFormat::Format_YUV420P:
        fill(0, {y}), fill(1, {u}), fill(2, {v});
        break;
    case QVideoFrameFormat::Format_YV12:
        fill(0, {y}), fill(1, {v}), fill(2, {u});
        break;
    case QVideoFrameFormat::Format_NV12:
        fill(0, {y}), fill(1, {u, v});
        break;
    default: // packed RGB: Qt converts it
        fill(0, {0, 0, 255, 255});
        break;
    }
    frame.unmap();
    return frame;
}

} // namespace

TEST(VideoFrames, EachLayoutIsFittedIntoTheBoxInItsOwnColour)
{
    // Pure red in BT.601 video range: Y 81, U 90, V 240.
    const QVideoFrameFormat::PixelFormat formats[] = {
        QVideoFrameFormat::Format_YUV420P, QVideoFrameFormat::Format_YV12, QVideoFrameFormat::Format_NV12,
        QVideoFrameFormat::Format_BGRX8888};
    for (const auto format : formats) {
        SCOPED_TRACE(int(format));
        const QImage shown = fittedFrameImage(solidFrame(format, {320, 240}, 81, 90, 240), {100, 100});
        ASSERT_EQ(shown.size(), QSize(100, 75)); // its shape kept
        const QColor middle = shown.pixelColor(50, 37);
        EXPECT_GT(middle.red(), 220);
        EXPECT_LT(middle.green(), 40);
        EXPECT_LT(middle.blue(), 40);
    }
    EXPECT_TRUE(fittedFrameImage(QVideoFrame(), {100, 100}).isNull());
    EXPECT_TRUE(
        fittedFrameImage(solidFrame(QVideoFrameFormat::Format_YUV420P, {32, 24}, 81, 90, 240), {}).isNull());
}
