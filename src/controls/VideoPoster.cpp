#include "controls/VideoPoster.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>
#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace wk::controls {

namespace {

constexpr double kPosterSearchSeconds = 5.0; // a poster frame is looked for this far in
constexpr double kDarkBelow = 16.0;          // mean brightness (of 255) of a frame taken as black
constexpr int kBrightnessProbeWidth = 64;    // frames are judged at this width

PictureError failure(const QString& file, const QString& why)
{
    return PictureError(QStringLiteral("%1: %2").arg(QFileInfo(file).fileName(), why));
}

QString avMessage(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

struct FormatCloser {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

// An opened video: its container and the stream that carries its pictures.
struct OpenVideo {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    AVStream* stream = nullptr;
    int turn = 0; // clockwise quarter turns to show the frames upright

    explicit OpenVideo(const QString& file)
    {
        // A file that is no video is told through PictureError, not on the terminal.
        static std::once_flag quiet;
        std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
        if (!QFileInfo(file).isFile())
            throw failure(file, QStringLiteral("file does not exist"));
        AVFormatContext* raw = nullptr;
        const QByteArray path = QFile::encodeName(file);
        if (const int rc = avformat_open_input(&raw, path.constData(), nullptr, nullptr); rc < 0)
            throw failure(file, QStringLiteral("is not a video that can be read (%1)").arg(avMessage(rc)));
        format.reset(raw);
        if (const int rc = avformat_find_stream_info(raw, nullptr); rc < 0)
            throw failure(file, QStringLiteral("video cannot be read (%1)").arg(avMessage(rc)));
        const int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (index < 0)
            throw failure(file, QStringLiteral("holds no pictures (sound only)"));
        stream = raw->streams[index];
        // Phones store a portrait video as landscape frames and a turn to show them with.
        if (const auto* matrix = reinterpret_cast<const int32_t*>(
                av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr))) {
            const double degrees = -av_display_rotation_get(matrix); // clockwise
            if (!std::isnan(degrees))
                turn = (int(std::lround(degrees / 90.0)) % 4 + 4) % 4;
        }
    }

    QSize storedSize() const { return {stream->codecpar->width, stream->codecpar->height}; }
    QSize shownSize() const { return turn % 2 ? storedSize().transposed() : storedSize(); }
    qint64 lengthMs() const
    {
        if (stream->duration > 0)
            return qint64(double(stream->duration) * av_q2d(stream->time_base) * 1000.0);
        return format->duration > 0 ? format->duration / (AV_TIME_BASE / 1000) : -1;
    }
};

// `frame` scaled to `size` as 32-bit RGB.
QImage toImage(const AVFrame* frame, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    SwsContext* scale =
        sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), size.width(), size.height(),
                       AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scale)
        return {};
    uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(scale);
    return image;
}

double meanBrightness(const AVFrame* frame)
{
    const int height = std::max(1, kBrightnessProbeWidth * frame->height / std::max(1, frame->width));
    const QImage probe = toImage(frame, {kBrightnessProbeWidth, height});
    if (probe.isNull())
        return 0;
    double sum = 0;
    for (int y = 0; y < probe.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int x = 0; x < probe.width(); ++x)
            sum += qGray(line[x]);
    }
    return sum / (double(probe.width()) * probe.height());
}

// The first frame of the first seconds that is not black, else the first frame; null when none
// decodes.
FramePtr posterFrame(OpenVideo& video, const QString& file)
{
    const AVCodec* codec = avcodec_find_decoder(video.stream->codecpar->codec_id);
    if (!codec)
        throw failure(file, QStringLiteral("video is in a form that cannot be decoded here"));
    std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), video.stream->codecpar) < 0)
        throw failure(file, QStringLiteral("video cannot be decoded"));
    decoder->thread_count = 0; // as many as the decoder finds useful
    if (const int rc = avcodec_open2(decoder.get(), codec, nullptr); rc < 0)
        throw failure(file, QStringLiteral("video cannot be decoded (%1)").arg(avMessage(rc)));

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    FramePtr first;
    const double timeBase = av_q2d(video.stream->time_base);
    const int64_t start = video.stream->start_time == AV_NOPTS_VALUE ? 0 : video.stream->start_time;
    // Judges each decoded frame; true when the search is over.
    const auto judge = [&]() -> bool {
        const int64_t stamp = frame->best_effort_timestamp;
        const double seconds = stamp == AV_NOPTS_VALUE ? 0 : double(stamp - start) * timeBase;
        if (!first)
            first.reset(av_frame_clone(frame.get()));
        if (meanBrightness(frame.get()) >= kDarkBelow) {
            first.reset(av_frame_clone(frame.get()));
            return true;
        }
        return seconds >= kPosterSearchSeconds;
    };
    bool done = false;
    while (!done && av_read_frame(video.format.get(), packet.get()) >= 0) {
        if (packet->stream_index == video.stream->index &&
            avcodec_send_packet(decoder.get(), packet.get()) >= 0)
            while (!done && avcodec_receive_frame(decoder.get(), frame.get()) >= 0)
                done = judge();
        av_packet_unref(packet.get());
    }
    if (!done && avcodec_send_packet(decoder.get(), nullptr) >= 0) // the frames the decoder still holds
        while (!done && avcodec_receive_frame(decoder.get(), frame.get()) >= 0)
            done = judge();
    return first;
}

QSize fittedInto(const QSize& natural, const QSize& fitInto)
{
    if (fitInto.isEmpty() || (natural.width() <= fitInto.width() && natural.height() <= fitInto.height()))
        return natural;
    return natural.scaled(fitInto, Qt::KeepAspectRatio).expandedTo({1, 1});
}

} // namespace

static const QStringList& videoSuffixes()
{
    static const QStringList kinds = {"mp4", "mov", "m4v", "3gp", "mkv", "webm"};
    return kinds;
}

bool hasVideoName(const QString& file)
{
    return videoSuffixes().contains(QFileInfo(file).suffix().toLower());
}

QString videoNamePatterns() { return QStringLiteral("*.") + videoSuffixes().join(QStringLiteral(";*.")); }

VideoFacts readVideoFacts(const QString& file)
{
    const OpenVideo video(file);
    if (video.storedSize().isEmpty())
        throw failure(file, QStringLiteral("video has no picture size"));
    return {video.shownSize(), video.lengthMs()};
}

Picture loadVideoPoster(const QString& file, const QSize& fitInto)
{
    OpenVideo video(file);
    const FramePtr frame = posterFrame(video, file);
    if (!frame)
        throw failure(file, QStringLiteral("video has no frame that can be decoded"));
    const QSize natural =
        video.turn % 2 ? QSize(frame->width, frame->height).transposed() : QSize(frame->width, frame->height);
    const QSize shown = fittedInto(natural, fitInto);
    QImage image = toImage(frame.get(), video.turn % 2 ? shown.transposed() : shown);
    if (image.isNull())
        throw failure(file, QStringLiteral("video frame cannot be converted"));
    if (video.turn)
        image = image.transformed(QTransform().rotate(90.0 * video.turn));
    drawVideoMarks(image, video.lengthMs());
    Picture picture;
    picture.file = file;
    picture.naturalSize = natural;
    picture.image = std::move(image);
    return picture;
}

QString videoTimeText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms) / 1000;
    const QLatin1Char zero('0');
    return seconds >= 3600 ? QStringLiteral("%1:%2:%3")
                                 .arg(seconds / 3600)
                                 .arg(seconds / 60 % 60, 2, 10, zero)
                                 .arg(seconds % 60, 2, 10, zero)
                           : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
}

void drawVideoMarks(QImage& image, qint64 lengthMs)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(image.width(), image.height());
    const double radius = std::max(4.0, side / 8);
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 140));
    painter.drawEllipse(centre, radius, radius);
    QPainterPath play;
    play.moveTo(centre + QPointF(-radius * 0.35, -radius * 0.5));
    play.lineTo(centre + QPointF(radius * 0.55, 0));
    play.lineTo(centre + QPointF(-radius * 0.35, radius * 0.5));
    play.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawPath(play);
    if (lengthMs < 0 || side < 48)
        return;
    const QString length = videoTimeText(lengthMs + 500); // to the nearest second
    QFont font = painter.font();
    font.setPixelSize(std::max(9, int(side / 10)));
    painter.setFont(font);
    QRectF text(QPointF(), QFontMetricsF(font).size(Qt::TextSingleLine, length));
    text.moveBottomRight(QPointF(image.width() - side / 30, image.height() - side / 40));
    painter.fillRect(text.adjusted(-4, -1, 4, 1), QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignCenter, length);
}

} // namespace wk::controls
