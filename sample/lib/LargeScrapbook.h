#pragma once
// Large scrapbooks for benchmarks: many entries over many years, pictures reused cyclically.
#include <QSize>
#include <QString>

namespace wk::sample {

// Writes into `dir` (created when missing) Velmora.mdb with `entries` entries in one
// transaction, `distinctPictures` JPEGs of `pictureSize` (with camera-like grain, so a
// 4000 x 3000 picture is a few megabytes) under `pictures/`, every tenth entry reaching its
// picture through the "%" picture disc rule (`cd` = `dir`/), and introPicture.BMP. Dates are spread
// over at least three years, about four entries a day for large counts, in chronological order.
// Throws wk::store::StoreError when `dir` already holds a scrapbook, std::runtime_error when a
// file cannot be written.
void writeLargeScrapbook(const QString& dir, int entries, int distinctPictures, QSize pictureSize);

} // namespace wk::sample
