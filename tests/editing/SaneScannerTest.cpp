// The SANE scanner against SANE's own "test" backend. SANE takes SANE_CONFIG_DIR once per process
// but reads the files in it at every sane_init, so all tests share one folder of configuration.
#include "ScriptedPrompts.h"
#include "editing/ScanWindow.h"
#include "editing/SaneScanner.h"

#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <sane/sane.h>
#include <gtest/gtest.h>

using wk::editing::SaneScanner;
using wk::testing::ScriptedPrompts;

namespace {

using Options = QList<SaneScanner::Option>;

// 40 x 20 mm at 50 dpi: the test backend sends 78 x 39 pixels.
Options smallScan(const QString& mode, const QString& picture)
{
    return {{"mode", mode}, {"resolution", 50},       {"tl-x", 0}, {"tl-y", 0}, {"br-x", 40},
            {"br-y", 20},   {"test-picture", picture}};
}

// Kept loaded past sane_exit so that the leak checker can name the library of the buffer the test
// backend's reader thread leaves behind.
void keepTestBackendLoaded()
{
    static void* const backend = [] {
        Dl_info sane{};
        if (!::dladdr(reinterpret_cast<void*>(&sane_init), &sane) || !sane.dli_fname)
            return static_cast<void*>(nullptr);
        const QString path = QFileInfo(QString::fromLocal8Bit(sane.dli_fname)).absolutePath() +
                             QStringLiteral("/sane/libsane-test.so.1");
        return ::dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_NODELETE);
    }();
    (void)backend;
}

class SaneScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        keepTestBackendLoaded();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(configDir().isValid());
        useBackends("test\n", 1);
    }

    static QTemporaryDir& configDir()
    {
        static QTemporaryDir config; // SANE reads its path once per process
        return config;
    }

    // Writes the SANE configuration: the backends to load and the test device count.
    void useBackends(const QByteArray& dllConf, int testDevices)
    {
        const QString config = configDir().path();
        QFile dll(config + "/dll.conf");
        ASSERT_TRUE(dll.open(QIODevice::WriteOnly | QIODevice::Truncate));
        dll.write(dllConf);
        QFile test(config + "/test.conf");
        ASSERT_TRUE(test.open(QIODevice::WriteOnly | QIODevice::Truncate));
        test.write(QByteArray("number_of_devices ") + QByteArray::number(testDevices) + "\n");
        qputenv("SANE_CONFIG_DIR", config.toLocal8Bit());
    }

    QString target(const QString& name) const { return dir.filePath(name); }
    // The one message a refused scan into `file` tells.
    QString refusal(const QString& file)
    {
        prompts.asked.clear();
        EXPECT_FALSE(scanner.AcquireToFile(file));
        EXPECT_EQ(prompts.toldTexts().size(), 1);
        return prompts.toldTexts().value(0);
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    SaneScanner scanner{prompts, dir.path()}; // the program's folder is the test's folder
};

// What SANE's own command-line frontend makes of the same scan; a null picture without it.
QImage scanimageOf(const QString& mode, int depth, const QString& file)
{
    const QString scanimage = QStandardPaths::findExecutable("scanimage");
    if (scanimage.isEmpty())
        return {};
    QProcess process;
    process.start(scanimage, QStringLiteral("-d test:0 --mode %1 --depth %2 --resolution 50 -l 0 -t 0 -x 40 "
                                            "-y 20 --format=png")
                                     .arg(mode)
                                     .arg(depth)
                                     .split(QLatin1Char(' '))
                                 << "--test-picture"
                                 << "Color pattern"
                                 << "-o" << file);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

TEST_F(SaneScan, WritesTheFormatTheExtensionNamesAsScanimageDecodesTheScan)
{
    const struct {
        const char* file;
        QByteArray format;
        QString mode;
        int depth;
        QString picture;
        bool threePass; // red, green and blue frames
    } cases[] = {
        {"white.bmp", "bmp", "Gray", 8, "Solid white", false},
        {"pattern.JPEG", "jpeg", "Color", 8, "Color pattern", false},
        {"colour.png", "png", "Color", 8, "Color pattern", false},
        {"three-pass.png", "png", "Color", 8, "Color pattern", true},
        {"grey.png", "png", "Gray", 8, "Color pattern", false},
        {"line-art.png", "png", "Gray", 1, "Color pattern", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Options options = smallScan(c.mode, c.picture);
        options.insert(1, {"depth", c.depth});
        if (c.threePass)
            options.insert(1, {"three-pass", true});
        scanner.setOptions(options);
        ASSERT_TRUE(scanner.AcquireToFile(target(c.file))) << prompts.toldTexts().join('\n').toStdString();

        QImageReader reader(target(c.file));
        EXPECT_EQ(reader.format(), c.format) << "content, not just the name, is in the format";
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(78, 39));
        if (c.picture == "Solid white") {
            EXPECT_EQ(image.pixel(40, 20), qRgb(255, 255, 255));
        } else if (c.format == "jpeg") {
            EXPECT_NE(image.pixel(5, 5), image.pixel(70, 30)) << "a colour pattern, not one flat colour";
        } else if (c.threePass) { // scanimage writes no PNG of it: the one-pass colour scan stands
            EXPECT_EQ(image, QImage(target("colour.png")).convertToFormat(QImage::Format_RGB32));
        } else if (const QImage theirs = scanimageOf(c.mode, c.depth, target(QString(c.file) + "-ref.png"));
                   !theirs.isNull()) {
            EXPECT_EQ(image, theirs);
        }
    }
    EXPECT_TRUE(prompts.toldTexts().isEmpty());
    EXPECT_FALSE(scanner.isBusy());
}

TEST_F(SaneScan, SeveralDevicesLetTheUserPickOne)
{
    useBackends("test\n", 2);
    scanner.setOptions(smallScan("Gray", "Solid black"));
    QStringList offered;
    int answer = 1;
    scanner.setDeviceChooser([&](const QStringList& labels) {
        offered = labels;
        return answer;
    });
    ASSERT_TRUE(scanner.AcquireToFile(target("second.bmp")));
    ASSERT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered.at(1).contains("test:1")) << offered.at(1).toStdString();
    EXPECT_TRUE(QFile::exists(target("second.bmp")));

    answer = -1; // the user declines: nothing is scanned, nothing is said
    EXPECT_FALSE(scanner.AcquireToFile(target("declined.bmp")));
    EXPECT_FALSE(QFile::exists(target("declined.bmp")));
    EXPECT_TRUE(prompts.toldTexts().isEmpty());
}

TEST_F(SaneScan, DeviceFailuresAreReportedAndKeepAnExistingFile)
{
    QFile old(target("old.jpg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("previous picture") > 0);
    old.close();
    const std::pair<QString, const char*> cases[] = {
        {"SANE_STATUS_DEVICE_BUSY", "is busy"},
        {"SANE_STATUS_JAMMED", "failed: Document feeder jammed."},
        {"SANE_STATUS_IO_ERROR", "failed: Error during device I/O."},
    };
    for (const auto& [status, message] : cases) {
        SCOPED_TRACE(status.toStdString());
        Options options = smallScan("Gray", "Solid black");
        options.append({"read-return-value", status});
        scanner.setOptions(options);
        EXPECT_TRUE(refusal(target("old.jpg")).contains(message));
        EXPECT_EQ(prompts.asked.first().icon, wk::controls::MessageIcon::Exclamation);
        QFile kept(target("old.jpg"));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "previous picture");
    }
}

TEST_F(SaneScan, CancelStopsTheScanAndWritesNothing)
{
    // Cancelled while the worker waits for the second frame; each frame fits in the backend's pipe.
    scanner.setOptions({{"mode", QString("Color")},
                        {"three-pass", true},
                        {"resolution", 100},
                        {"br-x", 60},
                        {"br-y", 60},
                        {"read-delay", true},
                        {"read-delay-duration", 200000}});
    QList<int> progress;
    QObject::connect(&scanner, &SaneScanner::progressChanged, &scanner, [&](int percent) {
        progress << percent;
        scanner.cancel();
    });
    EXPECT_FALSE(scanner.AcquireToFile(target("cancelled.png")));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_LT(progress.first(), 100);
    EXPECT_FALSE(QFile::exists(target("cancelled.png")));
    EXPECT_TRUE(prompts.toldTexts().isEmpty()) << "cancelling is not a failure";

    // The device is free again afterwards.
    QObject::disconnect(&scanner, &SaneScanner::progressChanged, nullptr, nullptr);
    scanner.setOptions(smallScan("Gray", "Solid black"));
    EXPECT_TRUE(scanner.AcquireToFile(target("after.png")));
}

TEST_F(SaneScan, UnusableFileNamesAreRefusedBeforeScanning)
{
    ASSERT_TRUE(QFile(target("plain")).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    const std::pair<QString, const char*> cases[] = {
        {QString(), "Please choose the file to save the scanned picture in."},
        {"   ", "Please choose the file to save the scanned picture in."},
        {target("scan.gif"), "must end in .bmp, .jpg or .png"},
        {target("scan"), "must end in .bmp, .jpg or .png"},
        {target("missing/scan.bmp"), "does not exist or cannot be written to"},
        {target("plain/scan.bmp"), "does not exist or cannot be written to"}, // the "folder" is a file
        {target("folder.png"), "cannot be replaced"},
    };
    useBackends("", 1); // had a scan been tried, it would say "No scanner was found"
    for (const auto& [fileName, message] : cases)
        EXPECT_TRUE(refusal(fileName).contains(message)) << fileName.toStdString();

    // No scanner is a clear message; a scanner that appears later is found.
    EXPECT_EQ(refusal(target("none.bmp")),
              "No scanner was found. Please check that the scanner is connected and switched on.");
    EXPECT_FALSE(QFile::exists(target("none.bmp")));
    useBackends("test\n", 1);
    scanner.setOptions(smallScan("Gray", "Solid black"));
    EXPECT_TRUE(scanner.AcquireToFile(target("later.bmp")));
}

} // namespace
