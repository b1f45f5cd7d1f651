// Times the picture loader on a camera-sized JPEG (4000 x 3000, a few megabytes): header only,
// natural size, the big picture's size and a thumbnail's size. Prints one line per figure.
#include "SampleArtwork.h"
#include "controls/Picture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath("camera.jpg");
    QImage image = wk::sample::drawScene(wk::sample::Scene::Mountains, {4000, 3000}, "Camera", 1);
    wk::sample::addNoise(image, 18, 7);
    wk::sample::writeBytes(file, wk::sample::encodeJpeg(image, 92));
    std::printf("file: 4000 x 3000 JPEG, %.1f MB\n", QFileInfo(file).size() / 1048576.0);

    const int rounds = 5;
    auto time = [&](const char* what, auto&& step) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < rounds; ++i)
            step();
        std::printf("%-28s %8.1f ms\n", what, double(t.nsecsElapsed()) / 1e6 / rounds);
    };
    time("size from header", [&] { wk::controls::pictureSize(file); });
    time("decode at natural size", [&] { wk::controls::loadPicture(file); });
    time("decode for big picture", [&] { wk::controls::loadPicture(file, {312, 209}); });
    time("decode for thumbnail", [&] { wk::controls::loadPicture(file, {64, 48}); });
    return 0;
}
