#include "controls/HeifReader.h"

#include <QFile>
#include <QtEndian>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace wk::controls {

namespace {

void check(const heif_error& error)
{
    if (error.code != heif_error_Ok)
        throw HeifError(error.message ? error.message : "HEIF file cannot be read");
}

std::shared_ptr<heif_context> newContext()
{
    return std::shared_ptr<heif_context>(heif_context_alloc(), heif_context_free);
}

// Decodes the picture of `handle` (the primary or a thumbnail) into a QImage.
QImage decodeHandle(heif_image_handle* handle, bool containerTurns)
{
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options*)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    options->ignore_transformations = containerTurns ? 0 : 1;
    heif_image* decoded = nullptr;
    check(heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                            options.get()));
    const std::unique_ptr<heif_image, void (*)(const heif_image*)> image(decoded, heif_image_release);

    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels || width <= 0 || height <= 0)
        throw HeifError("HEIF picture decoded to no pixels");
    QImage result(width, height, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (result.isNull())
        throw HeifError("not enough memory for the HEIF picture");
    const size_t rowBytes = size_t(width) * (alpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        std::memcpy(result.scanLine(y), pixels + qsizetype(y) * stride, rowBytes);
    return result;
}

} // namespace

bool HeifFile::recognises(const QByteArray& head)
{
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), int(head.size())) ==
           heif_filetype_yes_supported;
}

HeifFile HeifFile::fromPath(const QString& file)
{
    HeifFile heif;
    heif.context_ = newContext();
    check(heif_context_read_from_file(heif.context_.get(), QFile::encodeName(file).constData(), nullptr));
    heif.openPrimary();
    return heif;
}

HeifFile HeifFile::fromContents(const QByteArray& fileContents)
{
    HeifFile heif;
    heif.contents_ = fileContents;
    heif.context_ = newContext();
    check(heif_context_read_from_memory_without_copy(heif.context_.get(), heif.contents_.constData(),
                                                     size_t(heif.contents_.size()), nullptr));
    heif.openPrimary();
    return heif;
}

void HeifFile::openPrimary()
{
    heif_image_handle* handle = nullptr;
    check(heif_context_get_primary_image_handle(context_.get(), &handle));
    primary_ = std::shared_ptr<heif_image_handle>(handle, heif_image_handle_release);
}

QSize HeifFile::storedSize() const
{
    return {heif_image_handle_get_ispe_width(primary_.get()),
            heif_image_handle_get_ispe_height(primary_.get())};
}

QSize HeifFile::turnedSize() const
{
    return {heif_image_handle_get_width(primary_.get()), heif_image_handle_get_height(primary_.get())};
}

QByteArray HeifFile::exifTiff() const
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(primary_.get(), "Exif", &id, 1) < 1)
        return {};
    QByteArray block(qsizetype(heif_image_handle_get_metadata_size(primary_.get(), id)), Qt::Uninitialized);
    if (block.size() < 4 ||
        heif_image_handle_get_metadata(primary_.get(), id, block.data()).code != heif_error_Ok)
        return {};
    // The block starts with the distance from its fifth byte to the TIFF header.
    const quint32 skip = qFromBigEndian<quint32>(block.constData());
    if (skip > quint32(block.size() - 4))
        return {};
    return block.mid(4 + qsizetype(skip));
}

QImage HeifFile::decode(bool containerTurns) const { return decodeHandle(primary_.get(), containerTurns); }

QImage HeifFile::decodeThumbnail(const QSize& atLeast, bool containerTurns) const
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary_.get());
    std::vector<heif_item_id> ids(size_t(std::max(count, 0)));
    heif_image_handle_get_list_of_thumbnail_IDs(primary_.get(), ids.data(), count);
    for (heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(primary_.get(), id, &found).code != heif_error_Ok)
            continue;
        const std::shared_ptr<heif_image_handle> thumbnail(found, heif_image_handle_release);
        const QSize size =
            containerTurns
                ? QSize(heif_image_handle_get_width(found), heif_image_handle_get_height(found))
                : QSize(heif_image_handle_get_ispe_width(found), heif_image_handle_get_ispe_height(found));
        if (size.width() >= atLeast.width() && size.height() >= atLeast.height())
            return decodeHandle(found, containerTurns);
    }
    return {};
}

} // namespace wk::controls
