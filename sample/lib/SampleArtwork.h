#pragma once
// Artwork for the generated scrapbooks: simple, colourful scenes drawn with QPainter, each with
// its title written on it, and the file encodings the generators need (camera orientation tag,
// camera-like noise). Everything here is drawn, nothing is read from disk.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace wk::sample {

enum class Scene { Sunset, House, Face, Tree, Mountains, Beach, Cake, Flowers };
inline constexpr int kSceneCount = 8;

// A scene of `size` with `title` on a banner; `variant` shifts the colours so that pictures of
// the same scene still look different.
QImage drawScene(Scene scene, QSize size, const QString& title, int variant = 0);
// The intro title card: the product name on a framed background.
QImage drawTitleCard(QSize size);
// Grain of a camera sensor, so that JPEGs compress to realistic sizes.
void addNoise(QImage& image, int amplitude, quint32 seed);

// JPEG bytes; an `orientation` other than 1 adds an EXIF block with that orientation tag, the
// way cameras mark a picture taken upright (6: shown turned a quarter clockwise).
QByteArray encodeJpeg(const QImage& image, int quality, int orientation = 1);
QByteArray encodeBmp(const QImage& image);
// Writes `bytes` to `path`, creating missing folders. Throws std::runtime_error.
void writeBytes(const QString& path, const QByteArray& bytes);
// The same JPEG picture with other bytes: a comment segment holding `n` after its APPn segments
// (so EXIF stays where readers look for it). Many distinct files as quickly as copies.
QByteArray jpegVariant(const QByteArray& jpeg, int n);

} // namespace wk::sample
