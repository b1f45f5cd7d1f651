#pragma once
// Thumbnails kept on disk in the desktop's shared thumbnail folder, so pictures a file manager has
// already seen show at once and the ones this program decodes help the file manager in turn.
// A thumbnail is named by the MD5 of its file's URI and is used only while its URI and
// modification-time keys still match the file; its picture keeps the file's true size in two more
// keys. Writing is best effort: a cache folder that cannot be written only costs speed.
#include "controls/Picture.h"

#include <QSize>
#include <QString>
#include <array>

namespace wk::controls {

// The sides of the shared sizes, smallest first: normal, large, x-large and xx-large.
inline constexpr std::array<int, 4> kThumbnailSides{128, 256, 512, 1024};

// "file://" and the absolute path, every byte outside RFC 2396's path characters percent-encoded.
QString thumbnailUri(const QString& file);

// Where the thumbnail of `file` at the shared size of `side` pixels is kept.
QString thumbnailPath(const QString& file, int side);

// Where this program records that `file` could not be decoded, so it is not tried again until
// the file changes.
QString failedThumbnailPath(const QString& file);

// Decodes `file` to fit `box` (device pixels, aspect kept, never enlarged), from the smallest shared
// thumbnail that covers the box when an up-to-date one exists; otherwise from the file, queueing the
// new thumbnail (or the record of a failure) to be written on the global thread pool. An empty box,
// or one wider or higher than the largest shared size, decodes the file. The picture's natural size
// is always the file's own. Safe to call on several threads at once. Throws PictureError.
Picture loadThroughThumbnails(const QString& file, const QSize& box);

// Keeps `picture` (decoded from `file` as it is now, at least as large as a shared size on one
// side or whole) as the thumbnail of `file`, so its first showing needs no decode. Written at once
// on the caller's thread (an import's worker, so nothing piles up in a queue), best effort;
// pictures too small to need a thumbnail are not kept.
void keepThumbnail(const QString& file, const Picture& picture);

} // namespace wk::controls
