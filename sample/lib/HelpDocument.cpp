#include "HelpDocument.h"

#include <QDir>
#include <QSaveFile>

namespace wk::sample {

namespace {

// Headings are bold, larger and blue; tips are green; names of buttons are bold.
constexpr char document[] = R"rtf({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}}
{\colortbl;\red0\green0\blue0;\red0\green51\blue153;\red0\green110\blue40;\red150\green20\blue20;}
{\info{\title Wanderkeep Help}{\author Wanderkeep}}
\viewkind4\uc1\pard\qc\b\f0\fs36\cf2 Wanderkeep Help\cf0\b0\fs20\par
\pard\qc\i Your family scrapbook: every picture with its date, its title, who or where, and its story.\i0\par
\pard\par
{\b\fs28\cf2 Starting Wanderkeep}\par
When Wanderkeep starts it shows its welcome picture, opens the scrapbook {\b Velmora.mdb} in its folder, puts the category names on the four category buttons and shows the first picture of the scrapbook. If the scrapbook keeps pictures on a picture disc that cannot be found, the {\b CD-Rom Drive Setup} window asks for the drive letter of the disc.\par
\pard\par
{\b\fs28\cf2 The Main Screen}\par
This is where you look at your pictures. Choose it with the {\b Main Screen} button at the bottom right.\par
\li360\fi-240\bullet\tab {\b The list of titles} on the right: click a title to see its picture, its story (the log below the picture) and its date. Press {\b Delete} on a selected title to delete that entry; Wanderkeep asks \ldblquote Delete this File?\rdblquote  first.\par
\bullet\tab {\b The big picture} in the middle: click it to see the picture enlarged in its own window. Wide pictures and tall pictures each get a frame that fits them.\par
\bullet\tab {\b The category buttons} (Events, School, Family, Trips and Calendar Items) show only the pictures of one category. {\b All Pictures} shows everything again.\par
\bullet\tab {\b Calendar Items} are appointments and reminders; they belong to no person or place. To list them, click {\b All Pictures} (it also clears the choice in the name list), then {\b Calendar Items}. Do not click a name in between, not even *All Pictures: a name keeps only the pictures of that name, and calendar items have none.\par
\bullet\tab {\b The name list} below the buttons: scroll it and click on a name to list all pictures of that person or place, combined with the chosen category.\par
\bullet\tab {\b The TimeLine switch} at the top left fills the strip of seven small pictures with the pictures around the one you are looking at. The arrows beside the strip step it one picture forwards or backwards; a stop sign shows that the strip cannot go further. Click a small picture to show it big.\par
\pard\par
{\b\fs28\cf2 The enlarged picture}\par
The enlarged window shows the picture at its full size. Use the scroll bars to move around a big picture. Click the picture (or close the window) to go back.\par
\pard\par
{\b\fs28\cf2 The calendar}\par
The {\b Calendar} switch beside the picture shows one month: six weeks of days, each with the titles of the pictures taken that day. Today is marked; the days of the months before and after are grey.\par
\li360\fi-240\bullet\tab The small scroll bar above the month moves to the next or the previous month, and on into the next or previous year. The year scroller moves a year at a time.\par
\bullet\tab Click a day to open the list of that day's entries. You can change them there, or type new entries for that day. {\b Back} returns to the month.\par
\bullet\tab Drag a title from the list of titles onto a day to copy that entry, with its picture and story, to the day.\par
\pard\par
{\b\fs28\cf2 List by Date}\par
The {\b List by Date} button shows all entries as one list in date order, under a heading for every month. Click a line to see its picture, date, name and story. Tick the {\b print} box to print the list: choose the first and the last date, and the listing goes to your printer. Without a printer, Wanderkeep offers to save the listing as a PDF file instead.\par
\pard\par
{\b\fs28\cf2 The Edit Screen}\par
Choose the {\b Edit Screen} button to add or change entries.\par
\li360\fi-240\bullet\tab {\b Add} opens a file window: pick a picture file (BMP or JPEG). It is shown in the big picture. Type the date (for example 6/15/1998 or December 1, 1998), a title and the story, pick a name from {\b Who or Where} and a category from {\b What}, and press {\b Save}. Wanderkeep asks for a valid date and a title if one is missing.\par
\bullet\tab To change an entry, select its title on the Main Screen, then choose the Edit Screen, change the boxes and press the second {\b Save}. {\b Delete} removes the entry.\par
\bullet\tab {\b Thumbnails} shows the pictures of a folder, seven at a time, in the strip at the top; step through them with the arrows.\par
\bullet\tab {\b Merge} gives the camera's files (names beginning with PIC) new names PB00001.jpg, PB00002.jpg and so on, numbering on from the highest number already used.\par
\bullet\tab {\b Scan} opens the scan window: choose the name of a new picture file and scan into it; then take it into an entry with {\b Add}.\par
\bullet\tab {\b Name List} opens the {\b Tables} window, where you edit the category names and the who-or-where names. The category buttons and the name list follow your changes when you close it.\par
\bullet\tab {\b CD Drive} opens the {\b CD-Rom Drive Setup} window: type the letter of the drive that holds your picture disc.\par
\pard\par
{\b\fs28\cf2 Help and the Kids Guide}\par
{\b Help} opens this window. {\b Exit} closes it.\par
The {\b Kids Guide} tick box opens a game for children: help the prairie dogs find their way home on the map of Wyoming. Drag each prairie dog to the right hole (A National Park, The State Capitol or A National Monument) and click the small pictures to learn about the sights. Click the little running prairie dog at the bottom. {\b BYE!} brings the scrapbook back.\par
\pard\par
{\b\fs28\cf2 Leaving Wanderkeep}\par
Press {\b Exit} at the bottom left. Wanderkeep asks \ldblquote Do you really want to quit?\rdblquote ; answer {\b Yes} to close it. Everything you saved is already in the scrapbook.\par
\pard\par
{\cf3\i Tip: keep your pictures where they are. The scrapbook stores only their file names, so do not rename or move a picture after you add it (except with Merge, before you add them).\i0}\par
{\cf4 Wanderkeep \u8212? version 1.2}\par
})rtf";

} // namespace

QByteArray helpDocumentRtf() { return QByteArray(document); }

bool writeHelpDocument(const QString& dir)
{
    QSaveFile file(QDir(dir).filePath(QStringLiteral("quillon.rtf")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(helpDocumentRtf());
    return file.commit();
}

} // namespace wk::sample
