#pragma once
// The help document of the sample scrapbook: how to use every screen of Wanderkeep.
#include <QByteArray>
#include <QString>

namespace wk::sample {

// The document as rich text (RTF, Windows-1252 with \u escapes for anything else).
QByteArray helpDocumentRtf();

// Writes the document as quillon.rtf into `dir`; returns false when the file cannot be written.
bool writeHelpDocument(const QString& dir);

} // namespace wk::sample
