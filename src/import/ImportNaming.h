#pragma once
// The facts an import reads off a picture's name and place: the day in a phone's or messaging
// app's file name, the title a person gave the folder, and whether a source is a card or phone
// whose pictures should be copied before it goes away.
#include <QDate>
#include <QString>

namespace wk::importing {

// The day a file name holds: "IMG-20230715-WA0001.jpg", "IMG_20230715_123456.jpg",
// "PXL_20230715_...", "VID_20220709_100000.mp4", "Screenshot_2023-07-15-...",
// "2023-07-15 12.34.56.jpg". Null when the name holds no real day.
QDate dateInFileName(const QString& fileName);

// The title of a picture in the folder named `folderName`: that name when a person gave it; the
// day in its long form ("July 15, 2023") when the folder is one a camera, phone or app made
// ("DCIM", "Camera", "100CANON", "Screenshots", "WhatsApp Images", a date alone) or has no name.
QString titleFor(const QString& folderName, const QDate& date);

// True when the folder is on removable media (under /media, /run/media or a desktop's mount of a
// phone or camera) or is, or lies inside, a "DCIM" folder: there copying is the safe default.
bool looksRemovable(const QString& folder);

} // namespace wk::importing
