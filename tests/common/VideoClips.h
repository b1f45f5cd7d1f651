#pragma once
// Video clips made for a test by Debian's ffmpeg in a temporary folder: a colour for a while, in
// any container and codec ffmpeg writes, and broken copies of them.
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wk::testing {

class VideoClips {
public:
    static bool ffmpegMissing() { return QStandardPaths::findExecutable("ffmpeg").isEmpty(); }

    // ffmpeg's input arguments for `seconds` of one colour at 25 frames a second.
    static QStringList colour(const char* name, const char* size = "320x240", const char* seconds = "1")
    {
        return {"-f", "lavfi", "-i", QString("color=%1:s=%2:d=%3:r=25").arg(name, size, seconds)};
    }

    // Makes `name` in the folder with ffmpeg from `arguments` (inputs and encoder), quietly.
    QString make(const QString& name, const QStringList& arguments)
    {
        const QString path = dir.filePath(name);
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg",
                     QStringList{"-hide_banner", "-loglevel", "error", "-y"} + arguments + QStringList{path});
        EXPECT_TRUE(ffmpeg.waitForFinished(60000));
        EXPECT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
        return path;
    }

    // Writes `contents` as `name` in the folder (a truncated or empty "video").
    QString write(const QString& name, const QByteArray& contents)
    {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return out.fileName();
    }

    static QByteArray contentsOf(const QString& path)
    {
        QFile in(path);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace wk::testing
