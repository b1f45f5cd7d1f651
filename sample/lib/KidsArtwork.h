#pragma once
// The kids guide's artwork for the sample scrapbook, drawn here: the prairie dog in two drawings,
// the hole, the net and the pictures of Wyoming's sights.
#include <QImage>
#include <QString>
#include <QStringList>

namespace wk::sample {

// The file names the kids guide reads, in the order they are written.
QStringList kidsArtworkFiles();

// Draws one of the files named by kidsArtworkFiles(); a null image for any other name.
QImage drawKidsArtwork(const QString& fileName);

// Writes every artwork file into `dir`; returns false when one could not be written.
bool writeKidsArtwork(const QString& dir);

} // namespace wk::sample
