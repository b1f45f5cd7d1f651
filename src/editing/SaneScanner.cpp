#include "editing/SaneScanner.h"

#include "controls/Prompts.h"
#include "store/FilePaths.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QInputDialog>
#include <QProgressDialog>
#include <QSaveFile>
#include <QThread>

#include <sane/sane.h>

#include <cstring>
#include <memory>
#include <vector>

namespace wk::editing {

namespace {

constexpr int readChunk = 32 * 1024;

QString statusText(SANE_Status status) { return QString::fromLocal8Bit(sane_strstatus(status)); }

// The image writer's format for a file name; empty when the extension names none we write.
QByteArray formatFor(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return "BMP";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "JPEG";
    if (suffix == QLatin1String("png"))
        return "PNG";
    return {};
}

struct DeviceInfo {
    QByteArray name;
    QString label;
};

// Builds one picture from the frames a scan delivers: a single grey or RGB frame, or the
// separate red, green and blue frames of a three-pass scanner; 1, 8 or 16 bits per sample.
class FrameAssembler {
public:
    // Adds the raw bytes of one frame; returns an error text when the frame cannot be used.
    QString add(const SANE_Parameters& p, const QByteArray& data)
    {
        if (p.depth != 1 && p.depth != 8 && p.depth != 16)
            return QStringLiteral("%1 bits per sample").arg(p.depth);
        int channel = -1; // -1: every channel from one frame
        int samples = 1;
        switch (p.format) {
        case SANE_FRAME_GRAY:
            break;
        case SANE_FRAME_RGB:
            samples = 3;
            break;
        case SANE_FRAME_RED:
            channel = 0;
            break;
        case SANE_FRAME_GREEN:
            channel = 1;
            break;
        case SANE_FRAME_BLUE:
            channel = 2;
            break;
        default:
            return QStringLiteral("frame format %1").arg(int(p.format));
        }
        const int width = p.pixels_per_line;
        const int bytesPerLine = p.bytes_per_line;
        if (width <= 0 || bytesPerLine <= 0 || qint64(bytesPerLine) * 8 < qint64(width) * samples * p.depth)
            return QStringLiteral("a line of %1 pixels in %2 bytes").arg(width).arg(bytesPerLine);
        // A device that does not know the height in advance reports -1 lines.
        const int lines = int(data.size() / bytesPerLine);
        if (lines <= 0)
            return QStringLiteral("no image lines");
        if (image_.isNull()) {
            image_ = QImage(width, lines, QImage::Format_RGB32);
            if (image_.isNull())
                return QStringLiteral("a picture of %1 x %2 pixels is too large").arg(width).arg(lines);
            image_.fill(Qt::black);
        } else if (image_.width() != width || image_.height() != lines) {
            return QStringLiteral("frames of different sizes");
        }
        const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
        for (int y = 0; y < lines; ++y) {
            const uchar* line = bytes + qint64(y) * bytesPerLine;
            auto* out = reinterpret_cast<QRgb*>(image_.scanLine(y));
            for (int x = 0; x < width; ++x) {
                if (samples == 3) {
                    out[x] = qRgb(sample(line, x * 3, p.depth), sample(line, x * 3 + 1, p.depth),
                                  sample(line, x * 3 + 2, p.depth));
                } else {
                    const int v = sample(line, x, p.depth);
                    if (channel < 0) {
                        out[x] = qRgb(v, v, v);
                    } else {
                        int rgb[3] = {qRed(out[x]), qGreen(out[x]), qBlue(out[x])};
                        rgb[channel] = v;
                        out[x] = qRgb(rgb[0], rgb[1], rgb[2]);
                    }
                }
            }
        }
        return {};
    }

    const QImage& image() const { return image_; }

private:
    // Sample `index` of a line as 0..255. One-bit samples are line art: a set bit is black.
    static int sample(const uchar* line, int index, int depth)
    {
        if (depth == 8)
            return line[index];
        if (depth == 16) {
            quint16 v;
            std::memcpy(&v, line + 2 * index, sizeof v); // SANE sends 16-bit samples in host order
            return v >> 8;
        }
        return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;
    }

    QImage image_;
};

void setOption(SANE_Handle handle, SANE_Int index, const SANE_Option_Descriptor& d, const QVariant& value)
{
    const std::size_t words = d.size > 0 ? std::size_t(d.size) / sizeof(SANE_Word) : 0;
    switch (d.type) {
    case SANE_TYPE_BOOL: {
        SANE_Bool b = value.toBool() ? SANE_TRUE : SANE_FALSE;
        sane_control_option(handle, index, SANE_ACTION_SET_VALUE, &b, nullptr);
        break;
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
        if (words == 0)
            break;
        const SANE_Word w = d.type == SANE_TYPE_INT ? SANE_Word(value.toInt()) : SANE_FIX(value.toDouble());
        std::vector<SANE_Word> all(words, w); // an array option gets the value in every element
        sane_control_option(handle, index, SANE_ACTION_SET_VALUE, all.data(), nullptr);
        break;
    }
    case SANE_TYPE_STRING: {
        if (d.size <= 0)
            break;
        const QByteArray text = value.toString().toUtf8();
        std::vector<char> buffer(std::size_t(d.size), '\0');
        std::memcpy(buffer.data(), text.constData(), std::min<std::size_t>(text.size(), buffer.size() - 1));
        sane_control_option(handle, index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
        break;
    }
    default:
        break;
    }
}

void applyOptions(SANE_Handle handle, const QList<SaneScanner::Option>& options)
{
    for (const SaneScanner::Option& option : options) {
        // Descriptors are read afresh for every option: setting one (the mode, say) may
        // activate or deactivate others.
        SANE_Int count = 0;
        if (sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
            return;
        for (SANE_Int i = 1; i < count; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i);
            if (!d || !d->name || option.name != d->name)
                continue;
            if (SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap))
                setOption(handle, i, *d, option.value);
            break;
        }
    }
}

} // namespace

struct SaneScanner::ScanResult {
    enum Stage { Open, Scanning, Decode, Done };
    Stage stage = Open;
    SANE_Status status = SANE_STATUS_GOOD;
    QString problem; // Decode: what the picture data lacked
    QImage image;
};

SaneScanner::SaneScanner(controls::Prompts& prompts, const QString& programDirectory, QWidget* dialogParent)
    : prompts_(prompts), programDirectory_(programDirectory), dialogParent_(dialogParent)
{
}

SaneScanner::~SaneScanner() { cancel(); }

QString SaneScanner::messageTitle() { return tr("Scan"); }

QList<SaneScanner::Option> SaneScanner::photoOptions()
{
    return {{"mode", QStringLiteral("Color")}, {"resolution", 300}};
}

void SaneScanner::cancel()
{
    // Only the worker talks to the device: it sees the request when the read under way
    // returns and then calls sane_cancel. (Cancelling from this thread as well would race
    // with the worker's own sane_cancel, which some backends, SANE's test backend among
    // them, do not survive.)
    cancelRequested_ = true;
}

bool SaneScanner::AcquireToFile(const QString& fileName)
{
    if (busy_)
        return false;
    const auto tell = [this](const QString& text) {
        prompts_.tell(messageTitle(), text, controls::MessageIcon::Exclamation);
    };

    // The target is checked before anything is scanned, so no scan is wasted on it.
    if (fileName.trimmed().isEmpty()) {
        tell(tr("Please choose the file to save the scanned picture in."));
        return false;
    }
    const QByteArray format = formatFor(fileName);
    if (format.isEmpty()) {
        tell(tr("The scanned picture can be saved as a BMP, JPEG or PNG file only; the file name "
                "must end in .bmp, .jpg or .png:\n%1")
                 .arg(fileName));
        return false;
    }
    const QString path = store::resolvePath(programDirectory_, fileName);
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        tell(tr("The folder \"%1\" does not exist or cannot be written to.").arg(folder.filePath()));
        return false;
    }
    if (target.exists() && (!target.isFile() || !target.isWritable())) {
        tell(tr("The file \"%1\" cannot be replaced.").arg(target.filePath()));
        return false;
    }

    busy_ = true;
    cancelRequested_ = false;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};

    SANE_Status initStatus = SANE_STATUS_GOOD;
    SANE_Status listStatus = SANE_STATUS_GOOD;
    QList<DeviceInfo> devices;
    runOnWorker(
        [&] {
            SANE_Int version = 0;
            initStatus = sane_init(&version, nullptr);
            if (initStatus != SANE_STATUS_GOOD)
                return;
            const SANE_Device** list = nullptr;
            listStatus = sane_get_devices(&list, SANE_FALSE);
            for (int i = 0; listStatus == SANE_STATUS_GOOD && list && list[i]; ++i) {
                const SANE_Device* d = list[i];
                devices.append({QByteArray(d->name),
                                QStringLiteral("%1 %2 (%3)")
                                    .arg(QString::fromLocal8Bit(d->vendor), QString::fromLocal8Bit(d->model),
                                         QString::fromLocal8Bit(d->name))});
            }
        },
        tr("Looking for a scanner..."));
    if (initStatus != SANE_STATUS_GOOD) {
        tell(tr("The scanner support could not be started: %1.").arg(statusText(initStatus)));
        return false;
    }
    struct Exit {
        ~Exit() { sane_exit(); }
    } exitSession;

    if (cancelRequested_)
        return false;
    if (listStatus != SANE_STATUS_GOOD || devices.isEmpty()) {
        tell(tr("No scanner was found. Please check that the scanner is connected and switched on."));
        return false;
    }
    int chosen = 0;
    if (devices.size() > 1) {
        QStringList labels;
        for (const DeviceInfo& d : devices)
            labels << d.label;
        chosen = chooseDevice(labels);
        if (chosen < 0 || chosen >= devices.size())
            return false;
    }
    const DeviceInfo& device = devices.at(chosen);

    ScanResult result;
    runOnWorker([&] { scanOnWorker(device.name, result); }, tr("Scanning..."));

    if (result.stage != ScanResult::Done) {
        if (result.status == SANE_STATUS_CANCELLED || cancelRequested_)
            return false;
        if (result.status == SANE_STATUS_DEVICE_BUSY) {
            tell(tr("The scanner %1 is busy. Please wait until it is free, or close the other "
                    "program using it, and try again.")
                     .arg(device.label));
        } else if (result.stage == ScanResult::Open) {
            tell(tr("The scanner %1 could not be opened: %2.").arg(device.label, statusText(result.status)));
        } else if (result.stage == ScanResult::Scanning) {
            tell(tr("Scanning with %1 failed: %2.").arg(device.label, statusText(result.status)));
        } else {
            tell(tr("The scanner %1 sent a picture that cannot be read (%2).")
                     .arg(device.label, result.problem));
        }
        return false;
    }

    QSaveFile file(path);
    QString writeError;
    if (!file.open(QIODevice::WriteOnly)) {
        writeError = file.errorString();
    } else {
        QImageWriter writer(&file, format);
        if (format == "JPEG")
            writer.setQuality(90);
        if (!writer.write(result.image)) {
            writeError = writer.errorString();
            file.cancelWriting();
        } else if (!file.commit()) {
            writeError = file.errorString();
        }
    }
    if (!writeError.isEmpty()) {
        tell(tr("The scanned picture could not be saved in \"%1\": %2").arg(fileName, writeError));
        return false;
    }
    return true;
}

void SaneScanner::scanOnWorker(const QByteArray& deviceName, ScanResult& result)
{
    SANE_Handle handle = nullptr;
    result.stage = ScanResult::Open;
    result.status = sane_open(deviceName.constData(), &handle);
    if (result.status != SANE_STATUS_GOOD)
        return;
    applyOptions(handle, options_);

    result.stage = ScanResult::Scanning;
    FrameAssembler assembler;
    std::vector<SANE_Byte> buffer(readChunk);
    int lastPercent = -2;
    for (int frame = 0; !cancelRequested_; ++frame) {
        result.status = sane_start(handle);
        if (result.status != SANE_STATUS_GOOD)
            break;
        SANE_Parameters p{};
        result.status = sane_get_parameters(handle, &p);
        if (result.status != SANE_STATUS_GOOD)
            break;
        const bool threePass =
            p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN || p.format == SANE_FRAME_BLUE;
        const int frames = threePass ? 3 : 1;
        const qint64 expected = p.lines > 0 ? qint64(p.bytes_per_line) * p.lines : -1;
        QByteArray data;
        if (expected > 0)
            data.reserve(expected);
        for (;;) {
            SANE_Int length = 0;
            result.status = sane_read(handle, buffer.data(), SANE_Int(buffer.size()), &length);
            if (cancelRequested_)
                result.status = SANE_STATUS_CANCELLED;
            if (result.status != SANE_STATUS_GOOD)
                break;
            data.append(reinterpret_cast<const char*>(buffer.data()), length);
            const int percent =
                expected > 0
                    ? int(100 * (frame + double(std::min<qint64>(data.size(), expected)) / expected) / frames)
                    : -1;
            if (percent != lastPercent) {
                lastPercent = percent;
                QMetaObject::invokeMethod(
                    this, [this, percent] { reportProgress(percent); }, Qt::QueuedConnection);
            }
        }
        if (result.status != SANE_STATUS_EOF)
            break;
        result.problem = assembler.add(p, data);
        if (!result.problem.isEmpty()) {
            result.stage = ScanResult::Decode;
            break;
        }
        if (p.last_frame) {
            result.stage = ScanResult::Done;
            result.status = SANE_STATUS_GOOD;
            result.image = assembler.image();
            break;
        }
    }
    if (cancelRequested_ && result.stage != ScanResult::Done)
        result.status = SANE_STATUS_CANCELLED;
    sane_cancel(handle); // stops a cancelled scan, and ends a finished one, as SANE asks
    sane_close(handle);
}

void SaneScanner::runOnWorker(const std::function<void()>& work, const QString& label)
{
    QProgressDialog dialog(label, tr("Cancel"), 0, 0, dialogParent_);
    dialog.setObjectName(QStringLiteral("ScanProgress"));
    dialog.setWindowTitle(messageTitle());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // Cancel hides the dialog; it is shown again until the worker has stopped, so that
    // nothing else can be started meanwhile.
    connect(&dialog, &QProgressDialog::canceled, this, [this, &dialog] {
        cancel();
        dialog.setLabelText(tr("Stopping the scanner..."));
        dialog.show();
    });
    progress_ = &dialog;

    std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    dialog.show();
    loop.exec();
    worker->wait(); // the loop also ends when the application quits
    progress_ = nullptr;
}

void SaneScanner::reportProgress(int percent)
{
    if (progress_) {
        if (percent < 0) {
            progress_->setRange(0, 0);
        } else {
            progress_->setRange(0, 100);
            progress_->setValue(percent);
        }
    }
    Q_EMIT progressChanged(percent);
}

int SaneScanner::chooseDevice(const QStringList& labels)
{
    if (chooser_)
        return chooser_(labels);
    bool ok = false;
    const QString item =
        QInputDialog::getItem(dialogParent_, messageTitle(), tr("Scan with:"), labels, 0, false, &ok);
    return ok ? int(labels.indexOf(item)) : -1;
}

} // namespace wk::editing
