#include "KidsArtwork.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace wk::sample {

namespace {

constexpr int iconSide = 64;
constexpr int pictureSide = 96;

QImage canvas(int side, bool transparent)
{
    QImage image(side, side, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    return image;
}

const QColor fur(176, 125, 70);
const QColor belly(230, 200, 150);
const QColor dark(70, 45, 20);

// A prairie dog standing up; `digging` lifts its paws and opens its mouth.
QImage prairieDog(bool digging)
{
    QImage image = canvas(iconSide, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(dark, 1.5));
    // Tail and feet.
    p.setBrush(dark);
    p.drawEllipse(QRectF(40, 52, 14, 7));
    p.setBrush(fur);
    p.drawEllipse(QRectF(18, 54, 12, 7));
    p.drawEllipse(QRectF(33, 54, 12, 7));
    // Body and belly.
    p.drawEllipse(QRectF(16, 22, 32, 36));
    p.setBrush(belly);
    p.drawEllipse(QRectF(23, 30, 18, 24));
    // Head and ears.
    p.setBrush(fur);
    p.drawEllipse(QRectF(19, 6, 26, 22));
    p.drawEllipse(QRectF(19, 6, 7, 7));
    p.drawEllipse(QRectF(38, 6, 7, 7));
    // Eyes, nose, mouth.
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(25, 13, 4, 4));
    p.drawEllipse(QRectF(35, 13, 4, 4));
    p.drawEllipse(QRectF(30, 19, 4, 3));
    if (digging)
        p.drawEllipse(QRectF(29.5, 23, 5, 3));
    else
        p.drawLine(QPointF(29, 24), QPointF(35, 24));
    // Paws: held at the chest, or raised to dig.
    p.setBrush(fur);
    if (digging) {
        p.drawEllipse(QRectF(8, 20, 10, 8));
        p.drawEllipse(QRectF(46, 20, 10, 8));
    } else {
        p.drawEllipse(QRectF(22, 32, 8, 7));
        p.drawEllipse(QRectF(34, 32, 8, 7));
    }
    return image;
}

QImage hole()
{
    QImage image = canvas(iconSide, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 110, 60));
    p.drawEllipse(QRectF(2, 26, 60, 34)); // the mound of dug earth
    p.setBrush(QColor(40, 25, 10));
    p.drawEllipse(QRectF(14, 34, 36, 18)); // the burrow
    p.setBrush(QColor(120, 80, 40));
    for (int k = 0; k < 5; ++k)
        p.drawEllipse(QRectF(6 + k * 12, 28 + (k % 2) * 24, 5, 4)); // clods
    return image;
}

QImage net()
{
    QImage image = canvas(iconSide, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 70, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 58), QPointF(30, 34)); // handle
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.setBrush(QColor(230, 230, 230, 120));
    const QRectF hoop(26, 4, 34, 34);
    p.drawEllipse(hoop);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setClipRegion(QRegion(hoop.toRect(), QRegion::Ellipse));
    for (int k = 0; k < 8; ++k) {
        p.drawLine(QPointF(26 + k * 5, 4), QPointF(26 + k * 5, 38));
        p.drawLine(QPointF(26, 4 + k * 5), QPointF(60, 4 + k * 5));
    }
    return image;
}

void skyAndGround(QPainter& p, const QColor& sky, const QColor& ground, int horizon)
{
    p.fillRect(0, 0, pictureSide, horizon, sky);
    p.fillRect(0, horizon, pictureSide, pictureSide - horizon, ground);
}

QImage devilsTower()
{
    QImage image = canvas(pictureSide, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    skyAndGround(p, QColor(140, 195, 240), QColor(90, 140, 60), 74);
    QPolygonF tower;
    tower << QPointF(22, 76) << QPointF(34, 22) << QPointF(62, 22) << QPointF(74, 76);
    p.setPen(QPen(QColor(90, 60, 40), 1));
    p.setBrush(QColor(150, 110, 80));
    p.drawPolygon(tower);
    p.setPen(QPen(QColor(110, 80, 55), 1));
    for (int k = 1; k < 8; ++k) // the tower's columns
        p.drawLine(QPointF(34 + k * 3.5, 22), QPointF(22 + k * 6.5, 76));
    p.setBrush(QColor(30, 100, 40));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 6; ++k)
        p.drawEllipse(QRectF(k * 17, 70, 16, 12)); // pines at the foot
    return image;
}

QImage oldFaithful()
{
    QImage image = canvas(pictureSide, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    skyAndGround(p, QColor(120, 180, 235), QColor(200, 190, 160), 78);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 255));
    QPainterPath plume;
    plume.moveTo(42, 80);
    plume.cubicTo(36, 50, 30, 30, 40, 10);
    plume.cubicTo(48, 4, 56, 8, 58, 14);
    plume.cubicTo(64, 34, 58, 56, 54, 80);
    p.drawPath(plume);
    p.setBrush(QColor(235, 240, 250));
    p.drawEllipse(QRectF(24, 6, 26, 18));
    p.drawEllipse(QRectF(48, 2, 26, 20));
    p.setBrush(QColor(230, 220, 190));
    p.drawEllipse(QRectF(26, 76, 44, 10)); // the geyser's cone
    return image;
}

QImage capitol()
{
    QImage image = canvas(pictureSide, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    skyAndGround(p, QColor(150, 200, 245), QColor(80, 150, 70), 80);
    p.setPen(QPen(QColor(120, 110, 100), 1));
    p.setBrush(QColor(225, 215, 195));
    p.drawRect(QRectF(10, 52, 76, 28)); // wings
    p.drawRect(QRectF(34, 36, 28, 16)); // drum
    for (int k = 0; k < 8; ++k)
        p.drawLine(QPointF(14 + k * 10, 56), QPointF(14 + k * 10, 78)); // columns
    p.setBrush(QColor(230, 180, 40));
    p.drawChord(QRectF(34, 18, 28, 36), 0, 180 * 16); // the gold dome
    p.drawLine(QPointF(48, 18), QPointF(48, 8));
    return image;
}

QImage pioneers()
{
    QImage image = canvas(pictureSide, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    skyAndGround(p, QColor(245, 200, 130), QColor(190, 160, 100), 66);
    p.setPen(QPen(QColor(90, 70, 50), 1.5));
    p.setBrush(QColor(245, 240, 225));
    p.drawChord(QRectF(22, 28, 52, 50), 0, 180 * 16); // the canvas top
    p.setBrush(QColor(130, 80, 40));
    p.drawRect(QRectF(20, 52, 56, 12)); // the wagon box
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 40, 20), 3));
    p.drawEllipse(QRectF(22, 58, 18, 18));
    p.drawEllipse(QRectF(56, 58, 18, 18));
    p.setPen(QPen(QColor(60, 40, 20), 1));
    p.drawLine(QPointF(31, 58), QPointF(31, 76));
    p.drawLine(QPointF(22, 67), QPointF(40, 67));
    p.drawLine(QPointF(65, 58), QPointF(65, 76));
    p.drawLine(QPointF(56, 67), QPointF(74, 67));
    return image;
}

QImage ghostTown()
{
    QImage image = canvas(pictureSide, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    skyAndGround(p, QColor(170, 170, 180), QColor(150, 135, 110), 70);
    p.setPen(QPen(QColor(70, 55, 40), 1));
    p.setBrush(QColor(120, 95, 70));
    p.drawRect(QRectF(8, 40, 30, 32));
    p.drawRect(QRectF(50, 46, 36, 26));
    QPolygonF roof1, roof2;
    roof1 << QPointF(4, 42) << QPointF(23, 26) << QPointF(42, 42);
    roof2 << QPointF(46, 48) << QPointF(68, 34) << QPointF(90, 48);
    p.setBrush(QColor(90, 70, 50));
    p.drawPolygon(roof1);
    p.drawPolygon(roof2);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(18, 54, 10, 18)); // doors and a broken window
    p.drawRect(QRectF(60, 54, 10, 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(140, 110, 60), 1));
    p.drawEllipse(QRectF(40, 74, 12, 12)); // tumbleweed
    p.drawEllipse(QRectF(42, 76, 8, 8));
    return image;
}

QImage cowboyHat()
{
    QImage image = canvas(iconSide, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 40, 15), 1.5));
    p.setBrush(QColor(170, 110, 50));
    p.drawEllipse(QRectF(2, 34, 60, 16)); // brim
    QPainterPath crown;
    crown.moveTo(18, 42);
    crown.cubicTo(16, 20, 22, 12, 32, 18);
    crown.cubicTo(42, 12, 48, 20, 46, 42);
    crown.closeSubpath();
    p.drawPath(crown);
    p.setBrush(QColor(150, 30, 30));
    p.drawRect(QRectF(18, 36, 28, 5)); // hat band
    return image;
}

QImage rafting()
{
    QImage image = canvas(iconSide, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 200));
    p.drawRoundedRect(QRectF(0, 30, 64, 34), 8, 8); // the river
    p.setPen(QPen(Qt::white, 2));
    for (int k = 0; k < 4; ++k)
        p.drawArc(QRectF(k * 16, 50, 16, 8), 0, 180 * 16); // waves
    p.setPen(QPen(QColor(120, 20, 20), 1));
    p.setBrush(QColor(230, 60, 40));
    p.drawRoundedRect(QRectF(8, 30, 48, 14), 7, 7); // the raft
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QRectF(20, 18, 10, 10)); // two rafters' heads
    p.drawEllipse(QRectF(36, 18, 10, 10));
    p.setPen(QPen(QColor(90, 60, 20), 2));
    p.drawLine(QPointF(14, 22), QPointF(26, 44)); // paddle
    return image;
}

} // namespace

QStringList kidsArtworkFiles()
{
    return {QStringLiteral("pdog.ico"),  QStringLiteral("pdogd.ico"), QStringLiteral("NET.ICO"),
            QStringLiteral("pHOLE.ico"), QStringLiteral("img1.bmp"),  QStringLiteral("img2.bmp"),
            QStringLiteral("img3.bmp"),  QStringLiteral("img4.bmp"),  QStringLiteral("img5.bmp"),
            QStringLiteral("img6.ico"),  QStringLiteral("img7.ico")};
}

QImage drawKidsArtwork(const QString& fileName)
{
    if (fileName == QLatin1String("pdog.ico"))
        return prairieDog(false);
    if (fileName == QLatin1String("pdogd.ico"))
        return prairieDog(true);
    if (fileName == QLatin1String("NET.ICO"))
        return net();
    if (fileName == QLatin1String("pHOLE.ico"))
        return hole();
    if (fileName == QLatin1String("img1.bmp"))
        return devilsTower();
    if (fileName == QLatin1String("img2.bmp"))
        return oldFaithful();
    if (fileName == QLatin1String("img3.bmp"))
        return capitol();
    if (fileName == QLatin1String("img4.bmp"))
        return pioneers();
    if (fileName == QLatin1String("img5.bmp"))
        return ghostTown();
    if (fileName == QLatin1String("img6.ico"))
        return cowboyHat();
    if (fileName == QLatin1String("img7.ico"))
        return rafting();
    return {};
}

bool writeKidsArtwork(const QString& dir)
{
    const QDir target(dir);
    bool ok = true;
    const QStringList files = kidsArtworkFiles();
    for (const QString& name : files) {
        const QImage image = drawKidsArtwork(name);
        const char* format = name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? "BMP" : "ICO";
        ok = image.save(target.filePath(name), format) && ok;
    }
    return ok;
}

} // namespace wk::sample
