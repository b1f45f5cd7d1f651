#include "controls/Exif.h"

#include "controls/HeifReader.h"

#include <QFile>

// exiv2 0.27's headers use std::auto_ptr; they stay inside this one file, which alone is built
// without the deprecation warning.
#include <exiv2/exiv2.hpp>

#include <exception>
#include <functional>
#include <mutex>

namespace wk::controls {

namespace {

void prepareExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Damaged metadata is common in the wild and only costs us the defaults; exiv2 would
        // otherwise print each problem to stderr.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(); // exiv2's advice for programs that read on several threads
    });
}

CameraFacts factsOf(const Exiv2::ExifData& exif)
{
    CameraFacts facts;
    const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (orientation != exif.end() && orientation->count() > 0) {
        const long value = orientation->toLong();
        if (value >= 1 && value <= 8)
            facts.orientation = int(value);
    }
    // When the picture was taken, else when it was digitised (what exiftool calls CreateDate): a
    // scanner or an editor writes only that one. "YYYY:MM:DD HH:MM:SS"; a camera without a clock
    // writes "0000:00:00 00:00:00" or blanks, which are no date.
    for (const char* key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"}) {
        const auto taken = exif.findKey(Exiv2::ExifKey(key));
        if (taken == exif.end())
            continue;
        facts.taken = QDate::fromString(QString::fromStdString(taken->toString()).left(10),
                                        QStringLiteral("yyyy:MM:dd"));
        if (facts.taken.isValid())
            break;
    }
    return facts;
}

template <typename Open>
CameraFacts readWith(Open open)
{
    prepareExiv2();
    try {
        auto image = open();
        if (!image.get())
            return {};
        image->readMetadata();
        return factsOf(image->exifData());
    } catch (const std::exception&) { // Exiv2::AnyError and allocation failures on damaged blocks
        return {};
    }
}

// Enough of a file's start to tell a HEIF container.
constexpr qint64 kHeifProbeBytes = 64;

CameraFacts heifFacts(const std::function<HeifFile()>& open)
{
    try {
        return readCameraFacts(open());
    } catch (const HeifError&) {
        return {};
    }
}

} // namespace

CameraFacts readCameraFacts(const HeifFile& heif)
{
    const QByteArray tiff = heif.exifTiff();
    if (tiff.isEmpty())
        return {};
    prepareExiv2();
    try {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                                  uint32_t(tiff.size()));
        return factsOf(exif);
    } catch (const std::exception&) {
        return {};
    }
}

CameraFacts readCameraFacts(const QString& file)
{
    {
        QFile f(file);
        if (f.open(QIODevice::ReadOnly) && HeifFile::recognises(f.read(kHeifProbeBytes)))
            return heifFacts([&] { return HeifFile::fromPath(file); });
    }
    return readWith([&] { return Exiv2::ImageFactory::open(QFile::encodeName(file).toStdString()); });
}

CameraFacts readCameraFacts(const QByteArray& fileContents)
{
    if (HeifFile::recognises(fileContents.left(kHeifProbeBytes)))
        return heifFacts([&] { return HeifFile::fromContents(fileContents); });
    return readWith([&] {
        return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(fileContents.constData()),
                                         long(fileContents.size()));
    });
}

} // namespace wk::controls
