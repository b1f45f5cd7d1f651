#pragma once
// Telling a picture or a video by its content, as an import must: a phone's or camera's folder
// holds sound recordings, sidecars, RAW files and hidden thumbnails beside them, and a messaging
// app may name a picture anything.
#include <QString>

namespace wk::controls {

enum class PictureContent { Picture, Video, NotPicture, Unreadable };

// Picture when the file starts as a picture in a format the loader shows (JPEG, PNG, GIF, BMP, WebP,
// TIFF, HEIC/HEIF), read from its first bytes only, and its name is not that of a camera RAW file
// or a sidecar: RAW files are TIFF inside and a ".thm" sidecar is a small JPEG, yet neither is the
// picture the family took. Otherwise, for a file with a video's name (hasVideoName), what
// videoContentOf makes of it: Video; NotPicture for sound alone or no container; Unreadable for a
// video cut short or damaged. Unreadable when the file cannot be opened.
PictureContent pictureContentOf(const QString& path);

} // namespace wk::controls
