#include "contracts/PictureRoot.h"
#include "contracts/StripState.h"
#include "browse/EntryDisplay.h"

#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/FilePaths.h"

#include <utility>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace wk::browse {

using controls::skipStep;

namespace {
constexpr int kLandscapeFrameWidth = 4925;
constexpr int kLandscapeImageWidth = 4675;
constexpr int kPortraitFrameWidth = 2650;
constexpr int kPortraitImageWidth = 2400;
constexpr int kStripLandscapeWidth = 4695;
} // namespace

EntryDisplay::EntryDisplay(const EntryDisplayParts& parts) : parts_(parts) {}

void EntryDisplay::refreshPictureRoot()
{
    store::DataSource& cd = parts_.pictureDisc;
    skipStep([&] { cd.moveFirst(); });
    skipStep([&] { parts_.pictureRoot.setText(store::fieldText(cd, QStringLiteral("cd"))); });
    skipStep([&] {
        if (store::fieldText(cd, QStringLiteral("new")) != QLatin1String("Y"))
            return;
        // The disc is confirmed when its picture folder is there.
        const QString root = store::resolvePath(parts_.programDirectory, parts_.pictureRoot.text());
        const QString discFolder = root.isEmpty() ? QString() : QDir(root).filePath(QStringLiteral("bmp"));
        if (discFolder.isEmpty() || !QFileInfo(discFolder).isDir()) {
            if (openPictureDiscWindow)
                openPictureDiscWindow();
        } else {
            try {
                cd.edit();
                cd.setField(QStringLiteral("new"), QStringLiteral("N"));
                cd.update();
            } catch (const std::exception& failure) {
                if (cd.editing())
                    cd.cancelUpdate();
                if (!std::exchange(discNoteRefused_, true))
                    controls::tellFailedWrite(
                        parts_.prompts, QStringLiteral("Wanderkeep"),
                        QStringLiteral("The picture disc was found, but the scrapbook could not note it; "
                                       "it will be looked for again."),
                        failure);
            }
        }
    });
    skipStep([&] { parts_.pictureRoot.setText(store::fieldText(cd, QStringLiteral("cd"))); });
}

QString EntryDisplay::resolvePictureName(const QString& stored) const
{
    if (stored.isEmpty())
        return {};
    QString path = stored.startsWith(QLatin1Char('%')) ? parts_.pictureRoot.text() + stored.mid(1) : stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return store::resolvePath(parts_.programDirectory, path);
}

void EntryDisplay::applyLayout(QSize natural)
{
    if (natural.width() > natural.height()) {
        controls::setTwipsWidth(parts_.bigPictureFrame, kLandscapeFrameWidth);
        controls::setTwipsWidth(parts_.bigImage, kLandscapeImageWidth);
    } else if (natural.height() > natural.width()) {
        setPortraitLayout();
    }
}

void EntryDisplay::setPortraitLayout()
{
    controls::setTwipsWidth(parts_.bigPictureFrame, kPortraitFrameWidth);
    controls::setTwipsWidth(parts_.bigImage, kPortraitImageWidth);
}

void EntryDisplay::showPicture(const QString& stored)
{
    controls::ImageControl* image = parts_.bigImage;
    if (stored.isEmpty()) {
        image->clear();
        return;
    }
    const QString path = resolvePictureName(stored);
    if (!store::picturePresent(path)) {
        // Never an empty box without a word, nor the previous entry's picture: say why.
        const QString root = store::resolvePath(parts_.programDirectory, parts_.pictureRoot.text());
        if (stored.startsWith(QLatin1Char('%')) && (root.isEmpty() || !QFileInfo(root).isDir()))
            image->showNotice(
                QStringLiteral("Picture disc not inserted: %1").arg(QDir::toNativeSeparators(root)),
                QDir::toNativeSeparators(path));
        else
            image->showNotice(QStringLiteral("Picture not found"), QDir::toNativeSeparators(path));
        image->update();
        return;
    }
    image->setStretch(true);
    if (!skipStep([&] { applyLayout(controls::pictureSize(path)); }))
        setPortraitLayout();
    try {
        image->load(path);
    } catch (const std::exception& failure) {
        controls::logSkipped(failure);
        image->showNotice(QStringLiteral("Picture cannot be shown"), QString::fromUtf8(failure.what()));
        image->update();
    }
}

void EntryDisplay::previewPicture(const QString& path)
{
    const QSize natural = controls::pictureSize(path);
    parts_.bigImage->show();
    parts_.bigImage->setStretch(true);
    applyLayout(natural);
    parts_.bigImage->load(path);
    parts_.bigImage->update();
}

void EntryDisplay::applyStripWidthRule(QSize natural)
{
    // Compared in twips, the unit the layout keeps widths in whatever the window's scale.
    const int width = controls::twipsWidth(parts_.bigImage);
    if (natural.width() > natural.height() && width == kPortraitImageWidth)
        setImageWidthCleared(kStripLandscapeWidth);
    else if (natural.height() > natural.width() && width == kStripLandscapeWidth)
        setImageWidthCleared(kPortraitImageWidth);
}

void EntryDisplay::setImageWidthCleared(int widthTwips)
{
    parts_.bigImage->clear();
    controls::setTwipsWidth(parts_.bigImage, widthTwips);
}

void EntryDisplay::showWithStripWidthRule(const QString& path)
{
    controls::ImageControl* image = parts_.bigImage;
    if (!store::picturePresent(path)) {
        image->clear();
        image->update();
        return;
    }
    image->setStretch(true);
    skipStep([&] { applyStripWidthRule(controls::pictureSize(path)); });
    skipStep([&] { image->load(path); });
}

void EntryDisplay::showCurrentEntry(store::DataSource& source)
{
    parts_.strip.setShowsFolder(false);
    QString picture;
    skipStep([&] { picture = store::fieldText(source, store::kPictureField); });
    skipStep([&] { parts_.logEdit->setPlainText(store::fieldText(source, store::kLogField)); });
    skipStep([&] { showPicture(picture); });
    skipStep([&] { parts_.entryNameLabel->setText(store::fieldText(source, store::kWhereField)); });
}

} // namespace wk::browse
