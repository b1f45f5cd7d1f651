#include "controls/Prompts.h"
#include "controls/FileFilter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace wk::controls {

namespace {
QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        if (index >= 0 && index < filters.size())
            dialog.selectNameFilter(filters.at(index));
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

bool QtPrompts::askYesNo(const QString& title, const QString& text, bool defaultNo)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::tell(const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent_);
    box.exec();
}

QString QtPrompts::chooseOpenFile(const FileDialogRequest& request)
{
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

QString QtPrompts::chooseSaveFile(const FileDialogRequest& request)
{
    return runFileDialog(parent_, request, QFileDialog::AcceptSave);
}

QString QtPrompts::chooseFolder(const FileDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title, request.directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QStringList> QtPrompts::askTexts(const QString& title, const QString& text,
                                               const QList<TextField>& fields)
{
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("TextsForm"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    if (!text.isEmpty()) {
        auto* said = new QLabel(text, &dialog);
        said->setWordWrap(true);
        layout->addWidget(said);
    }
    auto* form = new QFormLayout;
    QList<QLineEdit*> boxes;
    for (const TextField& field : fields) {
        auto* box = new QLineEdit(field.value, &dialog);
        box->setObjectName(QStringLiteral("TextBox%1").arg(boxes.size() + 1));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 32);
        if (field.secret)
            box->setEchoMode(QLineEdit::Password);
        form->addRow(field.label, box);
        boxes << box;
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // The first empty box takes the typing.
    for (QLineEdit* box : boxes)
        if (box->text().isEmpty()) {
            box->setFocus();
            break;
        }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QStringList typed;
    for (QLineEdit* box : boxes)
        typed << box->text();
    return typed;
}

} // namespace wk::controls
