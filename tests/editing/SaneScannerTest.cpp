// The SANE scanner component against SANE's own "test" backend: a virtual device that
// delivers synthetic pictures. SANE_CONFIG_DIR points at a folder of the test's own, whose
// dll.conf names the backends SANE may load. SANE takes the folder's path once per process
// (at the first sane_init) but reads the files in it at every sane_init, so all tests share
// one folder and each writes the files it needs.
#include "ScriptedPrompts.h"
#include "editing/ScanWindow.h"
#include "editing/SaneScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
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

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// The test backend's reader thread leaves a buffer behind, and SANE unloads the backend at
// sane_exit, after which the leak checker can no longer name the library it came from. Keeping the
// library loaded lets the sanitizer pass's suppression list name it.
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
        static QTemporaryDir config;
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
            EXPECT_GT(distinctColours(image), 3) << "a colour pattern, not one flat colour";
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

TEST_F(SaneScan, TheAquireButtonScansIntoTheChosenFile)
{
    wk::editing::ScanWindow window(prompts, scanner, nullptr);
    scanner.setOptions(smallScan("Gray", "Grid"));
    prompts.fileAnswers.enqueue(target("grid.bmp"));
    window.chooseFileButton->click();
    window.acquireButton->click();
    EXPECT_EQ(QImage(target("grid.bmp")).size(), QSize(78, 39));

    // A name typed without a folder names a file in the program's folder, not in the process's
    // working folder.
    window.fileNameEdit->setText("typed.bmp");
    window.acquireButton->click();
    EXPECT_EQ(QImage(target("typed.bmp")).size(), QSize(78, 39));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("typed.bmp")));
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

    struct Case {
        const char* status;
        const char* message;
    };
    const Case cases[] = {
        {"SANE_STATUS_DEVICE_BUSY", "is busy"},
        {"SANE_STATUS_JAMMED", "failed: Document feeder jammed."},
        {"SANE_STATUS_IO_ERROR", "failed: Error during device I/O."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        prompts.asked.clear();
        Options options = smallScan("Gray", "Solid black");
        options.append({"read-return-value", QString(c.status)});
        scanner.setOptions(options);
        EXPECT_FALSE(scanner.AcquireToFile(target("old.jpg")));
        ASSERT_EQ(prompts.toldTexts().size(), 1);
        EXPECT_TRUE(prompts.toldTexts().first().contains(c.message))
            << prompts.toldTexts().first().toStdString();
        EXPECT_EQ(prompts.asked.first().icon, wk::controls::MessageIcon::Exclamation);
        QFile kept(target("old.jpg"));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "previous picture");
    }
}

TEST_F(SaneScan, CancelStopsTheScanAndWritesNothing)
{
    // A three-pass scan whose backend waits 200 ms before sending each frame: Cancel, given at
    // the first progress report, arrives while the worker waits for the second frame. Each frame
    // fits in the backend's pipe, so its reader thread has written everything and sleeps when
    // sane_cancel stops it. (A reader still blocked in write() on a full pipe is woken with EPIPE
    // and cancelled asynchronously while it formats its error message; landing inside the C
    // library's locale lock, that hangs the process at its next scan.)
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

    struct Case {
        QString fileName;
        QString message;
    };
    const Case cases[] = {
        {QString(), "Please choose the file to save the scanned picture in."},
        {"   ", "Please choose the file to save the scanned picture in."},
        {target("scan.gif"), "must end in .bmp, .jpg or .png"},
        {target("scan"), "must end in .bmp, .jpg or .png"},
        {target("missing/scan.bmp"), "does not exist or cannot be written to"},
        {target("plain/scan.bmp"), "does not exist or cannot be written to"}, // the "folder" is a file
        {target("folder.png"), "cannot be replaced"},
    };
    useBackends("", 1); // had a scan been tried, it would say "No scanner was found"
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName.toStdString());
        prompts.asked.clear();
        EXPECT_FALSE(scanner.AcquireToFile(c.fileName));
        ASSERT_EQ(prompts.toldTexts().size(), 1);
        EXPECT_TRUE(prompts.toldTexts().first().contains(c.message))
            << prompts.toldTexts().first().toStdString();
    }
    // A good name without any scanner is a clear message; the configuration is read at every
    // scan, so a scanner that appears later is found.
    prompts.asked.clear();
    EXPECT_FALSE(scanner.AcquireToFile(target("none.bmp")));
    EXPECT_EQ(
        prompts.toldTexts(),
        QStringList("No scanner was found. Please check that the scanner is connected and switched on."));
    EXPECT_FALSE(QFile::exists(target("none.bmp")));
    useBackends("test\n", 1);
    scanner.setOptions(smallScan("Gray", "Solid black"));
    EXPECT_TRUE(scanner.AcquireToFile(target("later.bmp")));
}

} // namespace
