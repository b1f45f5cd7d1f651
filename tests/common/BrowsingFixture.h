#pragma once
// A started program over a scrapbook with a picture in each layout and each way a picture can fail
// to show: what the browsing and slideshow tests click through.
#include "ProgramTest.h"
#include "SampleArtwork.h"

#include <tuple>

namespace wk::testing {

class BrowsingTest : public ProgramTest {
protected:
    // In date and row order: 0 Wide, 1 Tall, 2 Square (1 Events, with their logs), then 4 Trips:
    // 3 a picture named as another system writes it, under the picture disc's folder; 4 and 5
    // without a picture (5 without a title); 6 a file that is not there; 7 one that is no picture.
    void SetUp() override
    {
        std::tie(wide, tall, square) = book.writeShapedPictures();
        book.writePicture("disc/bmp/far.jpg", {640, 480});
        book.setDisc(book.path("disc"), "N");
        sample::writeBytes(book.path("broken.jpg"), "\xFF\xD8\xFF not really a jpeg");
        const EntryRow rows[] = {
            {QDate(2000, 1, 1), "Wide", "1 Events", QString("Lily"), wide, QString("wide log")},
            {QDate(2000, 1, 2), "Tall", "1 Events", QString("Lily"), tall, QString("tall log")},
            {QDate(2000, 1, 3), "Square", "1 Events", QString("Dad"), square, QString("square log")},
            {QDate(2000, 1, 4), "On the disc", "4 Trips", {}, "%\\bmp\\far.jpg"},
            {QDate(2000, 1, 5), "No picture", "4 Trips"},
            {QDate(2000, 1, 6), {}, "4 Trips", {}, {}, QString("untitled")},
            {QDate(2000, 1, 7), "Gone", "4 Trips", {}, book.path("missing.jpg")},
            {QDate(2000, 1, 8), "Broken", "4 Trips", {}, book.path("broken.jpg")},
        };
        for (const EntryRow& row : rows)
            bookmarks << book.addEntry(row);
    }

    QString wide, tall, square;
    QStringList bookmarks; // by line
};

} // namespace wk::testing
