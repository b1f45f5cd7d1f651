#include "SampleScrapbook.h"

#include "HelpDocument.h"
#include "KidsArtwork.h"
#include "SampleArtwork.h"
#include "ScrapbookWriter.h"

#include "store/ScrapbookFile.h"

#include <QDir>
#include <QFile>
#include <QTransform>

#include <exception>
#include <stdexcept>

namespace wk::sample {

namespace {

enum class Shape { Landscape, Portrait, Square, None };
enum class Format { Jpeg, Bmp, CameraJpeg }; // CameraJpeg: stored turned, with orientation 6
enum class Place { Folder, Disc };

struct SampleEntry {
    const char* date;
    const char* title;
    const char* what;
    const char* where; // nullptr: no name (null); kNoName: the empty text
    Scene scene;
    Shape shape;
    Format format;
    Place place;
    const char* log; // nullptr: no log
};

constexpr auto L = Shape::Landscape, P = Shape::Portrait, S = Shape::Square, N = Shape::None;
constexpr auto J = Format::Jpeg, B = Format::Bmp, C = Format::CameraJpeg;
constexpr auto F = Place::Folder, D = Place::Disc;

const char* const kEvents = "1 Events";
const char* const kSchool = "2 School";
const char* const kFamily = "3 Family";
const char* const kTrips = "4 Trips";
const char* const kCalendar = "5 Calendar Items";
const char* const kGrandma = "Grandma's House";
// Calendar items belong to no one. Their name is the empty text, not null: that is what the
// Calendar Items button matches while no name is chosen in the name list.
const char* const kNoName = "";

// clang-format off
const SampleEntry kEntries[] = {
    {"2023-01-01", "New Year Fireworks", kEvents, "Dad", Scene::Sunset, L, J, F, "We stayed up until midnight and watched the fireworks from the hill."},
    {"2023-02-14", "Valentine Cake", kFamily, "Mom", Scene::Cake, S, J, F, "Mom baked a heart-shaped strawberry cake."},
    {"2023-03-18", "Lily Starts Piano", kSchool, "Lily", Scene::Face, P, J, F, "First lesson with Mrs. Alder.\nShe already knows middle C."},
    {"2023-04-09", "Easter at Grandma", kFamily, kGrandma, Scene::House, L, B, F, "Egg hunt in the garden, then lunch for twelve."},
    {"2023-05-20", "Spring Garden", kFamily, "Mom", Scene::Flowers, L, J, F, "The tulips came up all at once this year."},
    {"2023-06-15", "Yellowstone Geysers", kTrips, "Yellowstone", Scene::Mountains, L, J, D, "Day one of the road trip. Steam everywhere."},
    {"2023-06-16", "Old Faithful at Dusk", kTrips, "Yellowstone", Scene::Sunset, L, B, D, "Right on time, as the sign promised."},
    {"2023-07-04", "Fourth of July Picnic", kEvents, "Dad", Scene::Tree, L, J, F, nullptr},
    {"2023-08-12", "Beach Day", kTrips, "Lily", Scene::Beach, L, J, F, "Sandcastles, sunburn and ice cream."},
    {"2023-09-05", "First Day of Second Grade", kSchool, "Lily", Scene::Face, P, J, F, "New backpack, new teacher, same best friend."},
    {"2023-10-31", "Halloween Night", kEvents, "Lily", Scene::Sunset, S, J, F, "Lily went as a pumpkin."},
    {"2023-11-23", "Thanksgiving Dinner", kFamily, kGrandma, Scene::Cake, S, B, F, "Grandma's pie won again."},
    {"2023-12-05", "Dentist Appointment", kCalendar, kNoName, Scene::Face, N, J, F, nullptr},
    {"2023-12-25", "Christmas Morning", kFamily, kGrandma, Scene::Tree, P, J, F, "Snow overnight, presents under the tree."},
    {"2024-01-20", "Snow Day", kEvents, "Dad", Scene::Mountains, S, J, F, "School was closed; we built a snow fort."},
    {"2024-02-10", "Science Fair Volcano", kSchool, "Lily", Scene::Mountains, L, J, F, "Baking soda and vinegar, second prize."},
    {"2024-03-03", "Birthday Cake for Mom", kFamily, "Mom", Scene::Cake, L, J, F, "Forty candles, one breath."},
    {"2024-03-03", "Birthday Dinner Out", kEvents, "Mom", Scene::Face, P, B, F, "The Italian place on Main Street."},
    {"2024-04-22", "Planting the Apple Tree", kFamily, "Dad", Scene::Tree, P, B, F, "Earth Day project in the back yard."},
    {"2024-05-12", "Mothers Day Flowers", kFamily, "Mom", Scene::Flowers, S, J, F, nullptr},
    {"2024-06-01", "School Play", kSchool, "Lily", Scene::Face, L, J, F, "Lily played the moon."},
    {"2024-06-14", "Parent Teacher Meeting", kCalendar, kNoName, Scene::Face, N, J, F, "4 pm, room 12."},
    {"2024-07-20", "Lake Camping", kTrips, "Dad", Scene::Mountains, L, J, D, "Two nights by the lake, one very loud owl."},
    {"2024-07-21", "Campfire Sunset", kTrips, "Dad", Scene::Sunset, P, J, D, "Marshmallows, burnt and perfect."},
    {"2024-08-30", "Grandpa Visits", kFamily, kGrandma, Scene::Face, S, J, F, "He brought his old photo albums."},
    {"2024-09-03", "Third Grade Begins", kSchool, "Lily", Scene::House, L, J, F, nullptr},
    {"2024-10-12", "Apple Picking", kEvents, nullptr, Scene::Tree, L, J, F, "Three bags of apples and a hay ride."},
    {"2024-11-05", "Car Service", kCalendar, kNoName, Scene::House, N, J, F, "Oil change and winter tyres."},
    {"2024-12-24", "Christmas Eve Lights", kFamily, kGrandma, Scene::House, P, C, F, "Taken on the new camera, held upright."},
    {"2025-01-15", "Ice Skating", kEvents, "Lily", Scene::Mountains, S, B, F, "Only fell twice."},
    {"2025-02-22", "Spelling Bee", kSchool, "Lily", Scene::Face, S, J, F, "Out on the word 'rhythm'."},
    {"2025-03-29", "Spring Break Beach", kTrips, "Mom", Scene::Beach, L, J, D, "Warm water at last."},
    {"2025-04-20", "Easter Egg Hunt", kEvents, kGrandma, Scene::Flowers, L, B, F, "Thirty eggs hidden, twenty-nine found."},
    {"2025-05-26", "Memorial Day Parade", kEvents, "Dad", Scene::Sunset, L, J, F, nullptr},
    {"2025-06-18", "Yellowstone Again", kTrips, "Yellowstone", Scene::Mountains, P, J, D, "Bison on the road for an hour."},
    {"2025-07-04", "Backyard Fireworks", kEvents, "Dad", Scene::Sunset, P, B, F, "Sparklers only this year."},
    {"2025-08-09", "Swimming Lessons", kSchool, "Lily", Scene::Beach, S, J, F, "Level three badge."},
    {"2025-09-10", "Flu Shots", kCalendar, kNoName, Scene::Face, N, J, F, "Everyone, Saturday morning."},
    {"2025-10-18", "Fall Leaves", kFamily, "Mom", Scene::Tree, L, J, F, "A leaf pile taller than Lily."},
    {"2025-12-25", "Christmas at Grandma", kFamily, kGrandma, Scene::House, L, J, F, "The whole family under one roof."},
    {"2026-01-01", "New Year Brunch", kFamily, "Mom", Scene::Cake, L, J, F, "Pancakes for twelve."},
    {"2026-02-14", "Valentine Crafts", kSchool, "Lily", Scene::Flowers, P, J, F, "Paper hearts for the whole class."},
    {"2026-03-08", "Museum Trip", kTrips, "Dad", Scene::House, L, B, D, "Dinosaurs first, then the planetarium."},
    {"2026-04-03", "School Photo Day", kCalendar, kNoName, Scene::Face, P, J, F, "Wear the blue dress."},
    {"2026-05-16", "Garden Party", kEvents, kGrandma, Scene::Flowers, S, J, F, "Lemonade and croquet."},
};
// clang-format on

// Names in the order of the name list; "*All Pictures" is written by the empty scrapbook.
const char* const kNames[] = {kGrandma, "Yellowstone", "Mom", "Dad", "Lily", "Lake Tahoe"};

QSize shapeSize(Shape shape, Format format)
{
    const bool small = format == Format::Bmp; // BMPs are uncompressed: keep them modest
    switch (shape) {
    case Shape::Landscape:
        return small ? QSize(400, 300) : QSize(640, 480);
    case Shape::Portrait:
        return small ? QSize(300, 400) : QSize(480, 640);
    case Shape::Square:
        return small ? QSize(320, 320) : QSize(512, 512);
    case Shape::None:
        break;
    }
    return {};
}

QString fileStem(const char* title)
{
    QString stem = QString::fromUtf8(title).toLower();
    stem.replace(QLatin1Char(' '), QLatin1Char('-'));
    return stem;
}

// Writes the entry's picture and returns the name stored in the entry.
QString writeEntryPicture(const QDir& root, const QString& discRoot, const SampleEntry& e, int index)
{
    if (e.shape == Shape::None)
        return QString();
    const QString title = QString::fromUtf8(e.title);
    QImage image = drawScene(e.scene, shapeSize(e.shape, e.format), title, index);
    QByteArray bytes;
    QString suffix = QStringLiteral(".jpg");
    switch (e.format) {
    case Format::Jpeg:
        bytes = encodeJpeg(image, 88);
        break;
    case Format::Bmp:
        bytes = encodeBmp(image);
        suffix = QStringLiteral(".bmp");
        break;
    case Format::CameraJpeg:
        // Drawn upright, stored as the camera's sensor saw it; the tag turns it back.
        bytes = encodeJpeg(image.transformed(QTransform().rotate(-90)), 88, 6);
        break;
    }
    const QString name = fileStem(e.title) + suffix;
    if (e.place == Place::Disc) {
        writeBytes(discRoot + QStringLiteral("bmp/") + name, bytes);
        return QStringLiteral("%bmp/") + name;
    }
    const QString path = root.filePath(QLatin1String(kSamplePictureFolder) + QLatin1Char('/') + name);
    writeBytes(path, bytes);
    return path;
}

void writeCameraFolder(const QDir& root)
{
    const Scene scenes[] = {Scene::Beach, Scene::Tree, Scene::Face, Scene::House, Scene::Sunset};
    for (int i = 0; i < 5; ++i) {
        const QString title = QStringLiteral("Camera picture %1").arg(i + 1);
        const QString name = QStringLiteral("%1/PIC%2.JPG")
                                 .arg(QLatin1String(kSampleCameraFolder))
                                 .arg(i + 1, 4, 10, QLatin1Char('0'));
        QByteArray bytes;
        if (i == 3) // held upright
            bytes = encodeJpeg(
                drawScene(scenes[i], {768, 1024}, title, i).transformed(QTransform().rotate(-90)), 90, 6);
        else
            bytes = encodeJpeg(drawScene(scenes[i], {1024, 768}, title, i), 90);
        writeBytes(root.filePath(name), bytes);
    }
}

void writeContents(ScrapbookWriter& writer, const QDir& root)
{
    // The stand-in picture disc: "%" stands for this folder, so its path ends in a separator.
    const QString discRoot = root.filePath(QLatin1String(kSampleDiscFolder)) + QLatin1Char('/');
    QDir().mkpath(discRoot + QStringLiteral("bmp"));
    writer.setPictureDisc(discRoot, QStringLiteral("N"));

    int sort = 1;
    for (const char* name : kNames)
        writer.addName(QString::fromUtf8(name), sort++);

    int index = 0;
    for (const SampleEntry& e : kEntries) {
        const QString picture = writeEntryPicture(root, discRoot, e, index++);
        writer.addEntry(QString::fromLatin1(e.date), QString::fromUtf8(e.title), QString::fromLatin1(e.what),
                        e.where ? QString::fromUtf8(e.where) : QString(), picture,
                        e.log ? QString::fromUtf8(e.log) : QString());
    }

    // The intro window's image is 6855 x 4665 twips: 457 x 311 pixels at 15 twips a pixel.
    writeBytes(root.filePath(QStringLiteral("INTRO.BMP")), encodeBmp(drawTitleCard({457, 311})));
    writeCameraFolder(root);

    writeHelpDocument(root.path());
    writeKidsArtwork(root.path());
}

} // namespace

void writeSampleScrapbook(const QString& dir)
{
    if (!QDir().mkpath(dir))
        throw std::runtime_error(QStringLiteral("cannot create folder %1").arg(dir).toStdString());
    const QDir root(QDir(dir).absolutePath());
    const QString database = root.filePath(QLatin1String(store::kScrapbookFileName));
    std::exception_ptr failure;
    {
        ScrapbookWriter writer(database); // throws, touching nothing, when the file exists
        try {
            writeContents(writer, root);
            writer.commit();
        } catch (...) {
            failure = std::current_exception(); // the writer rolls back as it goes out of scope
        }
    }
    if (failure) {
        QFile::remove(database); // only the file this call created, so a rerun starts afresh
        std::rethrow_exception(failure);
    }
}

} // namespace wk::sample
