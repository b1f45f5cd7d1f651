#include "browse/EntryDisplay.h"

#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "shell/Mtform1.h"
#include "store/DateRules.h"
#include "store/Entry.h"
#include "store/FilePaths.h"

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

QString fieldText(const store::DataSource& source, const QString& field)
{
    return store::valueText(source.field(field));
}

QDate fieldDate(const store::DataSource& source, const QString& field)
{
    const QVariant v = source.field(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (v.isValid() && !v.isNull())
        return dates::parseDate(v.toString()).value_or(QDate());
    return {};
}

EntryDisplay::EntryDisplay(shell::Mtform1& form) : form_(form) {}

void EntryDisplay::refreshPictureRoot()
{
    store::DataSource& cd = form_.datacd;
    skipStep([&] { cd.moveFirst(); });
    skipStep([&] { form_.pictureRoot = fieldText(cd, QStringLiteral("cd")); });
    skipStep([&] {
        if (fieldText(cd, QStringLiteral("new")) != QLatin1String("Y"))
            return;
        // The disc is confirmed when its picture folder is there.
        const QString root = store::resolvePath(form_.programDirectory, form_.pictureRoot);
        const QString discFolder = root.isEmpty() ? QString() : QDir(root).filePath(QStringLiteral("bmp"));
        if (discFolder.isEmpty() || !QFileInfo(discFolder).isDir()) {
            if (openCdForm)
                openCdForm();
        } else {
            cd.edit();
            cd.setField(QStringLiteral("new"), QStringLiteral("N"));
            cd.update();
        }
    });
    skipStep([&] { form_.pictureRoot = fieldText(cd, QStringLiteral("cd")); });
}

QString EntryDisplay::resolvePictureName(const QString& stored) const
{
    if (stored.isEmpty())
        return {};
    QString path = stored.startsWith(QLatin1Char('%')) ? form_.pictureRoot + stored.mid(1) : stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return store::resolvePath(form_.programDirectory, path);
}

bool EntryDisplay::picturePresent(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && !info.isHidden();
}

void EntryDisplay::applyLayout(QSize natural)
{
    if (natural.width() > natural.height()) {
        shell::Mtform1::setTwipsWidth(form_.Frame3, kLandscapeFrameWidth);
        shell::Mtform1::setTwipsWidth(form_.Image8, kLandscapeImageWidth);
    } else if (natural.height() > natural.width()) {
        setPortraitLayout();
    }
}

void EntryDisplay::setPortraitLayout()
{
    shell::Mtform1::setTwipsWidth(form_.Frame3, kPortraitFrameWidth);
    shell::Mtform1::setTwipsWidth(form_.Image8, kPortraitImageWidth);
}

void EntryDisplay::showPicture(const QString& stored)
{
    controls::ImageControl* image = form_.Image8;
    if (stored.isEmpty()) {
        image->clear();
        return;
    }
    const QString path = resolvePictureName(stored);
    if (!picturePresent(path)) {
        image->clear();
        image->update();
        return;
    }
    image->setStretch(true);
    if (!skipStep([&] { applyLayout(controls::pictureSize(path)); }))
        setPortraitLayout();
    skipStep([&] { image->load(path); });
}

void EntryDisplay::applyStripWidthRule(QSize natural)
{
    // Compared in pixels, the unit the width is kept in.
    const int width = form_.Image8->width();
    if (natural.width() > natural.height() && width == controls::twipsToPixels(kPortraitImageWidth))
        setImageWidthCleared(kStripLandscapeWidth);
    else if (natural.height() > natural.width() && width == controls::twipsToPixels(kStripLandscapeWidth))
        setImageWidthCleared(kPortraitImageWidth);
}

void EntryDisplay::setImageWidthCleared(int widthTwips)
{
    form_.Image8->clear();
    shell::Mtform1::setTwipsWidth(form_.Image8, widthTwips);
}

void EntryDisplay::showWithStripWidthRule(const QString& path)
{
    controls::ImageControl* image = form_.Image8;
    if (!picturePresent(path)) {
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
    form_.folderThumbnails = false;
    QString picture;
    skipStep([&] { picture = fieldText(source, store::kPictureField); });
    skipStep([&] { form_.Text3->setPlainText(fieldText(source, store::kLogField)); });
    skipStep([&] { showPicture(picture); });
    skipStep([&] { form_.wherelabel->setText(fieldText(source, store::kWhereField)); });
}

} // namespace wk::browse
