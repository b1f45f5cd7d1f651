// Importing a phone's videos: each becomes an entry as a picture does, dated by its recording
// time, its name or its file's time, and copied under its own extension; files that only look
// like videos are counted or listed as pictures that only look like pictures are.
#include "ImportFixture.h"
#include "shell/ServerFolder.h"
#include "TerminalProgram.h"
#include "VideoClips.h"

#include <QScopeGuard>
#include <ctime>

using namespace wk::testing;

namespace {

class VideoImport : public ImportFixture {
protected:
    void SetUp() override
    {
        if (VideoClips::ffmpegMissing())
            GTEST_SKIP() << "ffmpeg is not installed";
    }
    // Writes `name` in the source folder as ffmpeg makes it from `arguments`.
    void clip(const QString& name, const QStringList& arguments)
    {
        put(name, VideoClips::contentsOf(clips.make(QFileInfo(name).fileName(), arguments)));
    }
    // A second of `colour`, recorded at `creationTime` when given.
    static QStringList colour(const char* colour, const char* creationTime = nullptr)
    {
        return VideoClips::colour(colour, "160x120") + QStringList{"-c:v", "libx264"} +
               (creationTime ? QStringList{"-metadata", QString("creation_time=") + creationTime}
                             : QStringList());
    }

    VideoClips clips;
};

} // namespace

TEST_F(VideoImport, VideosBecomeEntriesDatedByRecordingNameOrFileTimeAndWhatOnlyLooksLikeOneIsCounted)
{
    // In Tokyo (UTC+9) a phone's day begins at 15:00 UTC of the day before.
    const QByteArray zone = qgetenv("TZ");
    const auto restoreZone = qScopeGuard([&] {
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    qputenv("TZ", "Asia/Tokyo");
    tzset();
    clip("Holiday/clip.mp4", colour("red", "2021-05-06T07:08:09Z"));
    clip("Holiday/late.mp4", colour("green", "2021-12-31T23:30:00Z"));
    clip("DCIM/Camera/VID_20220709_100000.mp4", colour("blue"));
    clip("DCIM/Camera/VID_20230101_000000.mp4", colour("white", "1970-01-01T00:00:05Z")); // a clock never set
    clip("DCIM/Camera/MVI_0042.MOV", colour("yellow"));
    setModified(source("DCIM/Camera/MVI_0042.MOV"), QDateTime(QDate(2019, 3, 2), QTime(12, 0)));
    // The container's own time cleared, the picture stream's left.
    clip("DCIM/Camera/stream.mov", colour("cyan", "2020-01-02T03:04:05Z"));
    QFile streamOnly(source("DCIM/Camera/stream.mov"));
    ASSERT_TRUE(streamOnly.open(QIODevice::ReadWrite));
    streamOnly.seek(streamOnly.readAll().indexOf("mvhd") + 8); // past the type, the version and the flags
    streamOnly.write(QByteArray(4, '\0'));
    streamOnly.close();
    writeJpeg(source("DCIM/Camera/shared.mp4"), {64, 48}, Qt::gray, {2020, 2, 29});
    // Sound alone and an empty file are no pictures; a video's first 3 kB are a damaged video.
    clip("DCIM/Camera/voice.mp4", {"-f", "lavfi", "-i", "sine=d=1", "-c:a", "aac"});
    put("DCIM/Camera/empty.mov", {});
    clip("DCIM/Camera/cut.mp4", {"-f", "lavfi", "-i", "testsrc=s=320x240:d=2", "-c:v", "libx264"});
    put("DCIM/Camera/cut.mp4", bytesOf("DCIM/Camera/cut.mp4").left(3 * 1024));

    const wk::importing::ImportSummary first = importFolder();
    const QString cut = QDir::toNativeSeparators(source("DCIM/Camera/cut.mp4"));
    EXPECT_EQ(first.text(), "Imported 7 pictures.\n2 were not pictures.\n1 could not be read: " + cut + ".");
    EXPECT_EQ(
        entries(),
        QStringList({
            "2019-03-02|March 2, 2019|1 Events|Grandma|pictures/2019/03/MVI_0042.MOV|<null>",
            "2022-07-09|July 9, 2022|1 Events|Grandma|pictures/2022/07/VID_20220709_100000.mp4|<null>",
            "2023-01-01|January 1, 2023|1 Events|Grandma|pictures/2023/01/VID_20230101_000000.mp4|<null>",
            "2020-02-29|February 29, 2020|1 Events|Grandma|pictures/2020/02/shared.mp4|<null>",
            "2020-01-02|January 2, 2020|1 Events|Grandma|pictures/2020/01/stream.mov|<null>",
            "2021-05-06|Holiday|1 Events|Grandma|pictures/2021/05/clip.mp4|<null>",
            "2022-01-01|Holiday|1 Events|Grandma|pictures/2022/01/late.mp4|<null>",
        }));

    // From a terminal, without the fonts a poster's marks are drawn in: the same video under
    // another name is there already, a new one goes in.
    put("Holiday/clip again.mp4", bytesOf("Holiday/clip.mp4"));
    clip("Holiday/new.mp4", colour("magenta", "2024-06-07T08:00:00Z"));
    if (book.onServer()) // the folder this computer chose for it, as the window would have asked
        wk::shell::rememberServerFolder(book.location(), book.dir());
    const Finished second = wanderkeep({"--import", sourceDir.path(), book.databasePath(), "--copy"});
    EXPECT_EQ(second.status, 1) << second.err.toStdString();
    EXPECT_TRUE(
        second.out.contains("Imported 1 pictures.\n8 were already in the scrapbook.\n2 were not pictures."))
        << second.out.toStdString();
    EXPECT_EQ(entries().last(), "2024-06-07|Holiday|||pictures/2024/06/new.mp4|<null>");
}
