#include "ImportFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>
#include <libheif/heif.h>

#include <cstring>
#include <fcntl.h>
#include <memory>

namespace wk::testing {

namespace {

QImage pictureOf(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(0, 0), size / 4), colour.darker()); // not one flat colour
    return image;
}

void makeFolderOf(const QString& path) { QDir().mkpath(QFileInfo(path).absolutePath()); }

QString exifDate(const QDate& day) { return day.toString(QStringLiteral("yyyy:MM:dd")) + " 10:00:00"; }

// libheif's image of `picture`, interleaved RGB.
std::shared_ptr<heif_image> heifImageOf(const QImage& picture)
{
    heif_image* raw = nullptr;
    heif_image_create(picture.width(), picture.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &raw);
    std::shared_ptr<heif_image> image(raw, heif_image_release);
    heif_image_add_plane(raw, heif_channel_interleaved, picture.width(), picture.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(raw, heif_channel_interleaved, &stride);
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(plane + y * stride, picture.constScanLine(y), size_t(picture.width()) * 3);
    return image;
}

} // namespace

void writeJpeg(const QString& path, QSize size, QColor colour, const QDate& taken, bool createDateOnly)
{
    makeFolderOf(path);
    ASSERT_TRUE(pictureOf(size, colour).save(path, "JPEG", 90)) << path.toStdString();
    if (!taken.isValid())
        return;
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif[createDateOnly ? "Exif.Photo.DateTimeDigitized" : "Exif.Photo.DateTimeOriginal"] =
        exifDate(taken).toStdString();
    image->setExifData(exif);
    image->writeMetadata();
}

void writeHeic(const QString& path, QSize size, QColor colour, const QDate& taken, int thumbnailSide,
               QColor thumbnailColour)
{
    makeFolderOf(path);
    std::shared_ptr<heif_context> context(heif_context_alloc(), heif_context_free);
    heif_encoder* rawEncoder = nullptr;
    ASSERT_EQ(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &rawEncoder).code,
              heif_error_Ok)
        << "libheif has no HEVC encoder";
    std::shared_ptr<heif_encoder> encoder(rawEncoder, heif_encoder_release);
    heif_encoder_set_lossy_quality(rawEncoder, 80);
    const std::shared_ptr<heif_image> image = heifImageOf(pictureOf(size, colour));
    heif_image_handle* rawHandle = nullptr;
    ASSERT_EQ(heif_context_encode_image(context.get(), image.get(), rawEncoder, nullptr, &rawHandle).code,
              heif_error_Ok);
    std::shared_ptr<heif_image_handle> handle(rawHandle, heif_image_handle_release);
    if (thumbnailSide > 0) {
        // The thumbnail is encoded from its own picture, so a test sees which one was decoded.
        const std::shared_ptr<heif_image> thumbnail = heifImageOf(pictureOf(size, thumbnailColour));
        heif_image_handle* rawThumbnail = nullptr;
        ASSERT_EQ(heif_context_encode_thumbnail(context.get(), thumbnail.get(), handle.get(), rawEncoder,
                                                nullptr, thumbnailSide, &rawThumbnail)
                      .code,
                  heif_error_Ok);
        heif_image_handle_release(rawThumbnail);
    }
    if (taken.isValid()) {
        Exiv2::ExifData exif;
        exif["Exif.Photo.DateTimeOriginal"] = exifDate(taken).toStdString();
        Exiv2::Blob tiff;
        Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, exif);
        heif_context_add_exif_metadata(context.get(), handle.get(), tiff.data(), int(tiff.size()));
    }
    ASSERT_EQ(heif_context_write_to_file(context.get(), QFile::encodeName(path).constData()).code,
              heif_error_Ok);
}

void writeBytes(const QByteArray& rawPath, const QByteArray& bytes)
{
    QFile file;
    const int fd = ::open(rawPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << rawPath.toStdString();
    ASSERT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace wk::testing
