#include "import/ImportWindow.h"

#include "import/PictureImport.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace wk::importing {

QString timeLeftText(qint64 remainingMs)
{
    if (remainingMs < 0)
        return {};
    const qint64 seconds = (remainingMs + 999) / 1000;
    if (seconds < 60)
        return QStringLiteral("About %1 seconds left").arg(std::max<qint64>(seconds, 1));
    const qint64 minutes = (seconds + 30) / 60;
    return minutes == 1 ? QStringLiteral("About a minute left")
                        : QStringLiteral("About %1 minutes left").arg(minutes);
}

ImportWindow::ImportWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportProgress"));
    setWindowTitle(QStringLiteral("Import Pictures"));
    setWindowModality(Qt::ApplicationModal);
    countLabel_ = new QLabel(this);
    fileLabel_ = new QLabel(this);
    fileLabel_->setTextFormat(Qt::PlainText);
    fileLabel_->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    timeLabel_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancelButton, &QPushButton::clicked, this, &ImportWindow::reject);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
         {static_cast<QWidget*>(countLabel_), static_cast<QWidget*>(fileLabel_), static_cast<QWidget*>(bar_),
          static_cast<QWidget*>(timeLabel_), static_cast<QWidget*>(cancelButton)})
        layout->addWidget(w);
    layout->setAlignment(cancelButton, Qt::AlignRight);
    showProgress({});
}

void ImportWindow::showProgress(const ImportState& progress)
{
    countLabel_->setText(QStringLiteral("%1 of %2 pictures").arg(progress.done).arg(progress.total));
    // A long path is cut in its middle, where its least telling part is.
    fileLabel_->setText(
        fileLabel_->fontMetrics().elidedText(progress.currentFile, Qt::ElideMiddle, fileLabel_->width()));
    fileLabel_->setToolTip(progress.currentFile);
    timeLabel_->setText(timeLeftText(progress.remainingMs()));
    bar_->setMaximum(std::max(progress.total, 1));
    bar_->setValue(progress.done);
}

void ImportWindow::reject()
{
    cancelled_ = true;
    timeLabel_->setText(QStringLiteral("Stopping after the pictures under way..."));
}

} // namespace wk::importing
