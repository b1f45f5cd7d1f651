#pragma once
// Video clips made for a test by Debian's ffmpeg in a temporary folder: a colour for a while, in
// any container and codec ffmpeg writes, and files that only look like videos.
#include "controls/VideoPoster.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

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

    // An H.264 clip of one colour, as phones record.
    QString h264(const QString& name, const char* colourName = "red", const char* size = "320x240",
                 const char* seconds = "1")
    {
        return make(name, colour(colourName, size, seconds) +
                              QStringList{"-c:v", "libx264", "-pix_fmt", "yuv420p"});
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

    // Files under a video's name that cannot be played, with what their contents are: sound alone
    // or with its cover picture, a video cut short, nothing, noise and a file that is not there.
    struct Broken {
        QString path;
        controls::VideoContent content;
    };
    std::vector<Broken> broken()
    {
        using enum controls::VideoContent;
        const QByteArray whole = contentsOf(h264("whole.mp4"));
        const QStringList sine{"-f", "lavfi", "-i", "sine=d=1"};
        return {
            {make("sound.mp4", sine + QStringList{"-c:a", "aac"}), NotVideo},
            {make("sound-with-cover.mp4",
                  sine + colour("red", "64x64") +
                      QStringList{"-map", "0", "-map", "1", "-frames:v", "1", "-c:a", "aac", "-c:v", "mjpeg",
                                  "-disposition:v:0", "attached_pic"}),
             NotVideo},
            {write("truncated.mp4", whole.left(whole.size() / 3)), Unreadable},
            {write("empty.mov", {}), NotVideo},
            {write("noise.m4v", QByteArray(4096, 'x')), NotVideo},
            {path("gone.mp4"), Unreadable},
        };
    }

    QTemporaryDir dir;
};

} // namespace wk::testing
