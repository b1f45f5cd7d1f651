#include "controls/VideoFrames.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <memory>

extern "C" {
#include <libswscale/swscale.h>
}

namespace wk::controls {

namespace {

struct ScalerFreer {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

// The swscale format of Qt's planar and semi-planar YUV frames, with whether the two colour
// planes come in the other order (YV12); AV_PIX_FMT_NONE for the rest.
std::pair<AVPixelFormat, bool> swscaleFormat(QVideoFrameFormat::PixelFormat format)
{
    switch (format) {
    case QVideoFrameFormat::Format_YUV420P:
        return {AV_PIX_FMT_YUV420P, false};
    case QVideoFrameFormat::Format_YV12:
        return {AV_PIX_FMT_YUV420P, true};
    case QVideoFrameFormat::Format_YUV422P:
        return {AV_PIX_FMT_YUV422P, false};
    case QVideoFrameFormat::Format_YUV420P10:
        return {AV_PIX_FMT_YUV420P10LE, false};
    case QVideoFrameFormat::Format_NV12:
        return {AV_PIX_FMT_NV12, false};
    case QVideoFrameFormat::Format_NV21:
        return {AV_PIX_FMT_NV21, false};
    case QVideoFrameFormat::Format_P010:
        return {AV_PIX_FMT_P010LE, false};
    case QVideoFrameFormat::Format_P016:
        return {AV_PIX_FMT_P016LE, false};
    default:
        return {AV_PIX_FMT_NONE, false};
    }
}

// The frame's colour matrix: as it says, else BT.709 for HD and larger, BT.601 below.
int colourMatrix(const QVideoFrameFormat& format)
{
    switch (format.colorSpace()) {
    case QVideoFrameFormat::ColorSpace_BT601:
        return SWS_CS_ITU601;
    case QVideoFrameFormat::ColorSpace_BT709:
        return SWS_CS_ITU709;
    case QVideoFrameFormat::ColorSpace_BT2020:
        return SWS_CS_BT2020;
    default:
        return format.frameHeight() >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

} // namespace

QImage fittedFrameImage(const QVideoFrame& frame, QSize box)
{
    if (!frame.isValid() || box.isEmpty() || frame.size().isEmpty())
        return {};
    const QSize shown = frame.size().scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1});
    const auto [format, swapped] = swscaleFormat(frame.pixelFormat());
    if (format == AV_PIX_FMT_NONE)
        return frame.toImage().scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QVideoFrame mapped = frame;
    if (!mapped.map(QVideoFrame::ReadOnly))
        return {};
    std::unique_ptr<SwsContext, ScalerFreer> scaler(
        sws_getContext(frame.width(), frame.height(), format, shown.width(), shown.height(), AV_PIX_FMT_RGB32,
                       SWS_BILINEAR, nullptr, nullptr, nullptr));
    QImage image(shown, QImage::Format_RGB32);
    if (!scaler || image.isNull()) {
        mapped.unmap();
        return {};
    }
    const QVideoFrameFormat surface = frame.surfaceFormat();
    const int* matrix = sws_getCoefficients(colourMatrix(surface));
    const int fullRange = surface.colorRange() == QVideoFrameFormat::ColorRange_Full ? 1 : 0;
    sws_setColorspaceDetails(scaler.get(), matrix, fullRange, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                             1 << 16, 1 << 16);
    const uint8_t* planes[4] = {};
    int strides[4] = {};
    for (int p = 0; p < mapped.planeCount() && p < 4; ++p) {
        planes[p] = mapped.bits(p);
        strides[p] = mapped.bytesPerLine(p);
    }
    if (swapped) {
        std::swap(planes[1], planes[2]);
        std::swap(strides[1], strides[2]);
    }
    uint8_t* out[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int outStrides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scaler.get(), planes, strides, 0, frame.height(), out, outStrides);
    mapped.unmap();
    return image;
}

} // namespace wk::controls
