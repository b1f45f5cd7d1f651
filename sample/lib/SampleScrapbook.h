#pragma once
// The sample scrapbook: a complete, small scrapbook folder written from nothing, for trying the
// program out and for tests. Front door: writeSampleScrapbook().
#include <QString>

namespace wk::sample {

// Writes into `dir` (created when missing): Velmora.mdb with entries over several years in every
// category, the who-or-where names, the pictures the entries name (landscape, portrait and
// square; JPEG and BMP; some on the stand-in picture disc `disc/`, reached through "%" names),
// introPicture.BMP and the camera folder `camera/` (PIC0001.JPG ...). Never overwrites a scrapbook:
// throws wk::store::StoreError when `dir` already holds Velmora.mdb, std::runtime_error when a
// file cannot be written.
void writeSampleScrapbook(const QString& dir);

// Folder names inside the sample folder.
inline constexpr const char* kSamplePictureFolder = "pictures";
inline constexpr const char* kSampleDiscFolder = "disc";
inline constexpr const char* kSampleCameraFolder = "camera";

} // namespace wk::sample
