#pragma once
// Picture files as cameras and phones write them, made with ImageMagick's convert (PNG, WebP,
// TIFF, HEIC) and exiftool (EXIF orientation and date taken).
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

namespace wk::testing {

inline bool havePictureTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty();
}

inline bool runTool(const QString& program, const QStringList& arguments)
{
    QProcess run;
    run.start(program, arguments);
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
        ADD_FAILURE() << qPrintable(program) << " failed: " << run.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

// Writes `image` to `path` in the format its extension names (through a PNG Qt writes).
inline bool writeWithConvert(const QImage& image, const QString& path)
{
    const QString png = path + QStringLiteral(".source.png");
    // convert knows ".heif" only by name.
    const QString target = path.endsWith(QLatin1String(".heif"), Qt::CaseInsensitive) ? "HEIC:" + path : path;
    return image.save(png, "PNG") && runTool(QStringLiteral("convert"), {png, target});
}

// Sets EXIF tags in place, e.g. {"-Orientation=6", "-DateTimeOriginal=2021:07:04 10:00:00"}.
inline bool writeExif(const QString& path, QStringList tags)
{
    tags << QStringLiteral("-n") << QStringLiteral("-overwrite_original") << path;
    return runTool(QStringLiteral("exiftool"), tags);
}

} // namespace wk::testing
