#include "controls/VideoPoster.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace wk::controls {

namespace {

constexpr double kPosterSearchSeconds = 5.0; // a poster frame is looked for this far in
constexpr double kDarkBelow = 16.0;          // mean brightness (of 255) of a frame taken as black
constexpr int kBrightnessProbeWidth = 64;    // frames without a luma plane are judged at this width
constexpr int kLumaSamplesAcross = 256;      // frames with one, from at most this many columns
constexpr int kLumaSamplesDown = 144;        // of at most this many rows
constexpr int kProbeBytes = 2048;            // a container is told by this many first bytes
// A recording time in this year or earlier comes from a clock that was never set.
constexpr int kClockNeverSetUntil = 1970;

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

// What opening a file as a video found.
enum class Opened { Nothing, SoundOnly, Video };

// An opened video: its container and the stream that carries its pictures.
struct OpenVideo {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    AVStream* stream = nullptr;
    int turn = 0; // clockwise quarter turns to show the frames upright
    Opened opened = Opened::Nothing;
    QString why; // what failed, when it is no video

    explicit OpenVideo(const QString& file)
    {
        // A file that is no video is told through PictureError, not on the terminal.
        static std::once_flag quiet;
        std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
        if (!QFileInfo(file).isFile()) {
            why = QStringLiteral("file does not exist");
            return;
        }
        AVFormatContext* raw = nullptr;
        const QByteArray path = QFile::encodeName(file);
        if (const int rc = avformat_open_input(&raw, path.constData(), nullptr, nullptr); rc < 0) {
            why = QStringLiteral("is not a video that can be read (%1)").arg(avMessage(rc));
            return;
        }
        format.reset(raw);
        if (const int rc = avformat_find_stream_info(raw, nullptr); rc < 0) {
            why = QStringLiteral("video cannot be read (%1)").arg(avMessage(rc));
            return;
        }
        const int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        // A sound file's cover picture comes as a stream of one frame: no video either.
        if (index < 0 || (raw->streams[index]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            opened = Opened::SoundOnly;
            why = QStringLiteral("holds no pictures (sound only)");
            return;
        }
        opened = Opened::Video;
        stream = raw->streams[index];
        // Phones store a portrait video as landscape frames and a turn to show them with.
        if (const auto* matrix = reinterpret_cast<const int32_t*>(
                av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr))) {
            const double degrees = -av_display_rotation_get(matrix); // clockwise
            if (!std::isnan(degrees))
                turn = (int(std::lround(degrees / 90.0)) % 4 + 4) % 4;
        }
    }

    // Throws PictureError unless the file opened as a video.
    void mustBeVideo(const QString& file) const
    {
        if (opened != Opened::Video)
            throw failure(file, why);
    }

    QSize storedSize() const { return {stream->codecpar->width, stream->codecpar->height}; }
    QSize shownSize() const { return turn % 2 ? storedSize().transposed() : storedSize(); }
    qint64 lengthMs() const
    {
        if (stream->duration > 0)
            return qint64(double(stream->duration) * av_q2d(stream->time_base) * 1000.0);
        return format->duration > 0 ? format->duration / (AV_TIME_BASE / 1000) : -1;
    }
    // The "creation_time" libavformat reads off the container (MP4 and MOV keep it in their movie
    // header, Matroska as its date), else off the picture stream. A time without a zone is UTC, as
    // these formats keep it.
    QDateTime recorded() const
    {
        for (const AVDictionary* tags : {format->metadata, stream->metadata}) {
            const AVDictionaryEntry* tag = av_dict_get(tags, "creation_time", nullptr, 0);
            if (!tag)
                continue;
            QDateTime when =
                QDateTime::fromString(QString::fromUtf8(tag->value).trimmed(), Qt::ISODateWithMs);
            if (when.isValid() && when.timeSpec() == Qt::LocalTime)
                when = QDateTime(when.date(), when.time(), Qt::UTC);
            if (when.isValid() && when.date().year() > kClockNeverSetUntil)
                return when.toUTC();
        }
        return {};
    }
};

// True when `head`, a file's first bytes, starts a container libavformat knows (a video or a
// sound file, whole or not), judged by the bytes alone, not the file's name.
bool startsContainer(QByteArray head)
{
    const int size = int(head.size());
    head.append(AVPROBE_PADDING_SIZE, '\0'); // the probes may read a little past the end
    AVProbeData probe{};
    probe.filename = "";
    probe.buf = reinterpret_cast<unsigned char*>(head.data());
    probe.buf_size = size;
    int score = 0;
    return av_probe_input_format3(&probe, 1, &score) != nullptr && score > AVPROBE_SCORE_RETRY;
}

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

// The "J" formats are full-range YUV whatever the frame's range says.
bool isFullRangeFormat(int format)
{
    return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P ||
           format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

// Mean brightness (of 255) of the frame's luma, read straight from the decoded planes on a grid
// of samples; empty for pixels that are not YUV (or not in this machine's byte order).
std::optional<double> lumaBrightness(const AVFrame* frame)
{
    const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(AVPixelFormat(frame->format));
    constexpr uint64_t kNotYuv = AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL |
                                 AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_FLOAT | AV_PIX_FMT_FLAG_BAYER;
    if (!pixels || (pixels->flags & kNotYuv) || pixels->nb_components < 3 || frame->width < 1 ||
        frame->height < 1 || frame->format == AV_PIX_FMT_XYZ12LE || frame->format == AV_PIX_FMT_XYZ12BE)
        return std::nullopt;
    const AVComponentDescriptor& luma = pixels->comp[0];
    const bool wide = luma.depth > 8; // two bytes a sample
    const bool bigEndian = pixels->flags & AV_PIX_FMT_FLAG_BE;
    if (luma.depth < 8 || luma.depth > 16 || (wide && bigEndian != (Q_BYTE_ORDER == Q_BIG_ENDIAN)) ||
        luma.step < (wide ? 2 : 1))
        return std::nullopt;
    const int stepX = std::max(1, frame->width / kLumaSamplesAcross);
    const int stepY = std::max(1, frame->height / kLumaSamplesDown);
    uint64_t sum = 0;
    uint64_t samples = 0;
    for (int y = 0; y < frame->height; y += stepY) {
        const uint8_t* line =
            frame->data[luma.plane] + ptrdiff_t(y) * frame->linesize[luma.plane] + luma.offset;
        for (int x = 0; x < frame->width; x += stepX) {
            const uint8_t* sample = line + ptrdiff_t(x) * luma.step;
            uint16_t value = *sample;
            if (wide)
                std::memcpy(&value, sample, sizeof value);
            sum += value >> luma.shift;
        }
        samples += uint64_t((frame->width + stepX - 1) / stepX);
    }
    const double mean = double(sum) / double(samples);
    const double scale = double(1 << (luma.depth - 8));
    // Full-range luma runs from 0 to its top; video range from 16 to 235 (scaled to the depth).
    const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG || isFullRangeFormat(frame->format);
    const double brightness = fullRange ? mean * 255.0 / double((1 << luma.depth) - 1)
                                        : (mean - 16.0 * scale) * 255.0 / (219.0 * scale);
    return std::clamp(brightness, 0.0, 255.0);
}

double meanBrightness(const AVFrame* frame)
{
    if (const std::optional<double> luma = lumaBrightness(frame))
        return *luma;
    // Other pixels are converted to a small RGB probe first.
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
    // A frame's slices (or tiles) are decoded on every core. Frame threads are not used: each keeps
    // its own copy of the decoder and frames in flight, which for the few dozen frames a poster
    // search decodes costs about half as much work again, and where several posters are wanted at
    // once (the strip) they are decoded side by side already.
    decoder->thread_count = 0;
    decoder->thread_type = FF_THREAD_SLICE;
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

VideoContent videoContentOf(const QString& file)
{
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return VideoContent::Unreadable;
        if (!startsContainer(f.read(kProbeBytes)))
            return VideoContent::NotVideo;
    }
    const OpenVideo video(file);
    if (video.opened == Opened::SoundOnly)
        return VideoContent::NotVideo;
    return video.opened == Opened::Video && !video.storedSize().isEmpty() ? VideoContent::Video
                                                                          : VideoContent::Unreadable;
}

namespace {

VideoFacts factsOf(const OpenVideo& video, const QString& file)
{
    video.mustBeVideo(file);
    if (video.storedSize().isEmpty())
        throw failure(file, QStringLiteral("video has no picture size"));
    return {video.shownSize(), video.lengthMs(), video.recorded()};
}

} // namespace

VideoFacts readVideoFacts(const QString& file) { return factsOf(OpenVideo(file), file); }

Picture loadVideoPoster(const QString& file, const QSize& fitInto, bool marked, VideoFacts* facts)
{
    OpenVideo video(file);
    if (facts)
        *facts = factsOf(video, file);
    video.mustBeVideo(file);
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
    if (marked)
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
