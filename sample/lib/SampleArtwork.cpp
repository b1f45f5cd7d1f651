#include "SampleArtwork.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace wk::sample {

namespace {

QColor shifted(QColor c, int variant)
{
    return QColor::fromHsv((c.hsvHue() + variant * 23) % 360, c.hsvSaturation(), c.value());
}

void sky(QPainter& p, const QRectF& r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void drawSunset(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h * 0.65}, shifted(QColor(70, 20, 120), v), QColor(255, 140, 40));
    const qreal r = std::min(w, h) * 0.16;
    QRadialGradient sun(w * 0.5, h * 0.62, r);
    sun.setColorAt(0, QColor(255, 250, 180));
    sun.setColorAt(1, QColor(255, 90, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(w * 0.5, h * 0.62), r, r);
    sky(p, {0, h * 0.65, w, h * 0.35}, QColor(30, 60, 140), QColor(10, 20, 60));
    p.setPen(QPen(QColor(255, 170, 80), std::max(1.0, h / 120)));
    for (int i = 1; i <= 5; ++i) {
        const qreal y = h * 0.65 + i * h * 0.045;
        p.drawLine(QPointF(w * (0.5 - 0.04 * (6 - i)), y), QPointF(w * (0.5 + 0.04 * (6 - i)), y));
    }
}

void drawHouse(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h}, QColor(120, 190, 255), QColor(200, 235, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 60));
    p.drawRect(QRectF(0, h * 0.7, w, h * 0.3));
    const qreal hw = std::min(w * 0.6, h * 0.7), left = (w - hw) / 2, top = h * 0.4;
    p.setBrush(shifted(QColor(230, 200, 90), v));
    p.drawRect(QRectF(left, top, hw, h * 0.35));
    p.setBrush(QColor(170, 40, 40));
    p.drawPolygon(QPolygonF(
        {QPointF(left - hw * 0.08, top), QPointF(left + hw / 2, h * 0.15), QPointF(left + hw * 1.08, top)}));
    p.setBrush(QColor(110, 60, 30));
    p.drawRect(QRectF(left + hw * 0.42, top + h * 0.15, hw * 0.16, h * 0.2));
    p.setBrush(QColor(180, 230, 255));
    p.drawRect(QRectF(left + hw * 0.1, top + h * 0.07, hw * 0.2, h * 0.1));
    p.drawRect(QRectF(left + hw * 0.7, top + h * 0.07, hw * 0.2, h * 0.1));
}

void drawFace(QPainter& p, qreal w, qreal h, int v)
{
    p.fillRect(QRectF(0, 0, w, h), shifted(QColor(250, 200, 220), v));
    const qreal r = std::min(w, h) * 0.33;
    const QPointF c(w / 2, h * 0.45);
    p.setPen(Qt::NoPen);
    p.setBrush(shifted(QColor(120, 70, 30), v * 2));
    p.drawEllipse(c + QPointF(0, -r * 0.15), r * 1.1, r * 1.05);
    p.setBrush(QColor(250, 215, 170));
    p.drawEllipse(c, r * 0.9, r);
    p.setBrush(QColor(40, 90, 160));
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.2), r * 0.12, r * 0.14);
    p.drawEllipse(c + QPointF(r * 0.35, -r * 0.2), r * 0.12, r * 0.14);
    p.setPen(QPen(QColor(200, 40, 60), std::max(2.0, r / 14), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r * 0.45, c.y() - r * 0.1, r * 0.9, r * 0.7), 200 * 16, 140 * 16);
}

void drawTree(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h}, QColor(150, 210, 255), QColor(230, 245, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 180, 70));
    p.drawRect(QRectF(0, h * 0.78, w, h * 0.22));
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(w * 0.46, h * 0.45, w * 0.08, h * 0.35));
    const qreal r = std::min(w, h) * 0.2;
    p.setBrush(shifted(QColor(30, 130, 50), v));
    for (const QPointF& o : {QPointF(0, 0), QPointF(-0.8, 0.5), QPointF(0.8, 0.5), QPointF(0, 0.7)})
        p.drawEllipse(QPointF(w * 0.5 + o.x() * r, h * 0.33 + o.y() * r), r, r);
    p.setBrush(QColor(220, 30, 30));
    for (int i = 0; i < 7; ++i)
        p.drawEllipse(QPointF(w * 0.5 + std::cos(i * 0.9) * r, h * 0.38 + std::sin(i * 1.7) * r * 0.6), r / 9,
                      r / 9);
}

void drawMountains(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h * 0.6}, QColor(40, 110, 200), QColor(180, 220, 250));
    p.setPen(Qt::NoPen);
    const QColor rock = shifted(QColor(100, 90, 130), v);
    for (int i = 0; i < 3; ++i) {
        const qreal cx = w * (0.2 + 0.3 * i), peak = h * (0.15 + 0.08 * (i % 2));
        p.setBrush(rock.darker(100 + 15 * i));
        p.drawPolygon(
            QPolygonF({QPointF(cx - w * 0.3, h * 0.65), QPointF(cx, peak), QPointF(cx + w * 0.3, h * 0.65)}));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(cx - w * 0.06, peak + h * 0.1), QPointF(cx, peak),
                                 QPointF(cx + w * 0.06, peak + h * 0.1)}));
    }
    sky(p, {0, h * 0.65, w, h * 0.35}, QColor(40, 150, 170), QColor(20, 80, 110));
}

void drawBeach(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h * 0.5}, QColor(60, 170, 250), QColor(170, 230, 255));
    sky(p, {0, h * 0.5, w, h * 0.2}, shifted(QColor(0, 150, 190), v), QColor(60, 200, 210));
    p.fillRect(QRectF(0, h * 0.7, w, h * 0.3), QColor(240, 215, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 0));
    p.drawEllipse(QPointF(w * 0.82, h * 0.15), std::min(w, h) * 0.08, std::min(w, h) * 0.08);
    // a beach umbrella
    p.setBrush(QColor(230, 40, 80));
    p.drawPie(QRectF(w * 0.15, h * 0.5, w * 0.3, h * 0.25), 0, 180 * 16);
    p.setPen(QPen(QColor(80, 50, 20), std::max(2.0, w / 150)));
    p.drawLine(QPointF(w * 0.3, h * 0.62), QPointF(w * 0.3, h * 0.88));
}

void drawCake(QPainter& p, qreal w, qreal h, int v)
{
    p.fillRect(QRectF(0, 0, w, h), shifted(QColor(120, 200, 240), v));
    const qreal cw = std::min(w * 0.7, h * 0.8), left = (w - cw) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    p.drawEllipse(QRectF(left - cw * 0.1, h * 0.72, cw * 1.2, h * 0.1));
    p.setBrush(QColor(200, 120, 60));
    p.drawRect(QRectF(left, h * 0.45, cw, h * 0.32));
    p.setBrush(shifted(QColor(250, 120, 180), v));
    p.drawRect(QRectF(left, h * 0.45, cw, h * 0.08));
    for (int i = 0; i < 5; ++i) {
        const qreal x = left + cw * (0.15 + 0.175 * i);
        p.setBrush(QColor::fromHsv(i * 70, 200, 250));
        p.drawRect(QRectF(x - cw * 0.02, h * 0.3, cw * 0.04, h * 0.15));
        p.setBrush(QColor(255, 200, 0));
        p.drawEllipse(QPointF(x, h * 0.27), cw * 0.025, h * 0.035);
    }
}

void drawFlowers(QPainter& p, qreal w, qreal h, int v)
{
    sky(p, {0, 0, w, h}, QColor(170, 230, 140), QColor(60, 150, 60));
    p.setPen(Qt::NoPen);
    const qreal r = std::min(w, h) * 0.07;
    for (int i = 0; i < 9; ++i) {
        const QPointF c(w * (0.12 + 0.1 * i), h * (0.35 + 0.2 * std::sin(i * 1.3 + v)));
        p.setBrush(QColor::fromHsv((v * 40 + i * 37) % 360, 200, 255));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(c + QPointF(std::cos(k * 1.2566) * r, std::sin(k * 1.2566) * r), r * 0.7, r * 0.7);
        p.setBrush(QColor(255, 220, 0));
        p.drawEllipse(c, r * 0.5, r * 0.5);
    }
}

void drawBanner(QPainter& p, qreal w, qreal h, const QString& title)
{
    const qreal bh = std::max(14.0, h * 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRect(QRectF(0, h - bh, w, bh));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(8, int(std::min(bh * 0.55, w / 17))));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.03, h - bh, w * 0.94, bh), Qt::AlignCenter | Qt::TextSingleLine,
               QFontMetrics(font).elidedText(title, Qt::ElideRight, int(w * 0.94)));
}

void put16(QByteArray& b, quint16 v)
{
    char c[2];
    qToBigEndian(v, c);
    b.append(c, 2);
}
void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToBigEndian(v, c);
    b.append(c, 4);
}

QByteArray exifOrientationSegment(int orientation)
{
    QByteArray tiff("MM", 2);
    put16(tiff, 42);
    put32(tiff, 8);
    put16(tiff, 1);
    put16(tiff, 0x0112);
    put16(tiff, 3);
    put32(tiff, 1);
    put16(tiff, quint16(orientation));
    put16(tiff, 0);
    put32(tiff, 0);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    put16(segment, quint16(payload.size() + 2));
    return segment + payload;
}

QByteArray encode(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode picture: " + writer.errorString().toStdString());
    return bytes;
}

} // namespace

QImage drawScene(Scene scene, QSize size, const QString& title, int variant)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    switch (scene) {
    case Scene::Sunset:
        drawSunset(p, w, h, variant);
        break;
    case Scene::House:
        drawHouse(p, w, h, variant);
        break;
    case Scene::Face:
        drawFace(p, w, h, variant);
        break;
    case Scene::Tree:
        drawTree(p, w, h, variant);
        break;
    case Scene::Mountains:
        drawMountains(p, w, h, variant);
        break;
    case Scene::Beach:
        drawBeach(p, w, h, variant);
        break;
    case Scene::Cake:
        drawCake(p, w, h, variant);
        break;
    case Scene::Flowers:
        drawFlowers(p, w, h, variant);
        break;
    }
    if (!title.isEmpty())
        drawBanner(p, w, h, title);
    return image;
}

QImage drawTitleCard(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    sky(p, {0, 0, w, h}, QColor(20, 40, 110), QColor(240, 130, 60));
    p.setPen(QPen(QColor(255, 220, 120), std::max(2.0, h / 60)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(w * 0.04, h * 0.05, w * 0.92, h * 0.9), h * 0.05, h * 0.05);
    // a small photo stack above the name
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(w * 0.5, h * 0.33);
        p.rotate(-12 + i * 12);
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(QColor::fromHsv(30 + i * 90, 160, 230));
        p.drawRect(QRectF(-w * 0.09, -h * 0.12, w * 0.18, h * 0.24));
        p.restore();
    }
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(int(h * 0.2));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.52, w, h * 0.26), Qt::AlignCenter, QStringLiteral("Wanderkeep"));
    font.setBold(false);
    font.setPixelSize(int(h * 0.065));
    p.setFont(font);
    p.drawText(QRectF(0, h * 0.76, w, h * 0.1), Qt::AlignCenter,
               QStringLiteral("the family picture scrapbook"));
    return image;
}

void addNoise(QImage& image, int amplitude, quint32 seed)
{
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    quint32 state = seed * 2654435761u + 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int d = int((state >> 24) % (2 * amplitude + 1)) - amplitude;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

QByteArray encodeJpeg(const QImage& image, int quality, int orientation)
{
    QByteArray jpeg = encode(image, "jpeg", quality);
    if (orientation != 1)
        jpeg = jpeg.left(2) + exifOrientationSegment(orientation) + jpeg.mid(2);
    return jpeg;
}

QByteArray encodeBmp(const QImage& image) { return encode(image, "bmp", -1); }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush())
        throw std::runtime_error(
            QStringLiteral("cannot write %1: %2").arg(path, f.errorString()).toStdString());
}

QByteArray jpegVariant(const QByteArray& jpeg, int n)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF && (uchar(jpeg[at + 1]) & 0xF0) == 0xE0)
        at += 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    const QByteArray text = QByteArray::number(n);
    QByteArray comment("\xFF\xFE", 2);
    comment.append(char((text.size() + 2) >> 8)).append(char((text.size() + 2) & 0xFF)).append(text);
    return jpeg.left(at) + comment + jpeg.mid(at);
}

} // namespace wk::sample
