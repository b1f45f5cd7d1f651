#pragma once
// Damaged JPEGs made from real ones: the frame header claims another size than the data holds.
#include <QByteArray>
#include <QSize>
#include <QtEndian>

namespace wk::testing {

// `jpeg` (baseline, as Qt writes it) with its frame header claiming `size`.
inline QByteArray withFrameSize(QByteArray jpeg, QSize size)
{
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    if (frame >= 0) {
        qToBigEndian<quint16>(quint16(size.height()), jpeg.data() + frame + 5);
        qToBigEndian<quint16>(quint16(size.width()), jpeg.data() + frame + 7);
    }
    return jpeg;
}

} // namespace wk::testing
