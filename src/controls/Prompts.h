#pragma once
// Every message box and file dialog of the program goes through this seam. The program uses
// QtPrompts; tests install a scripted implementation and check what was asked.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace wk::controls {

enum class MessageIcon { None, Information, Exclamation, Question, Critical };

struct FileDialogRequest {
    QString title;
    QString filter;      // "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg|All Files (*.*)|*.*" style is
                         // accepted as well as Qt's "Pictures (*.bmp *.jpg);;All (*)"
    int filterIndex = 1; // 1-based, as the program's dialogs count
    QString directory;
    QString fileName;
    bool confirmOverwrite = false; // save dialogs: ask before replacing an existing file
};

// One text box of a small form (Prompts::askTexts).
struct TextField {
    QString label;
    QString value;       // what the box holds when the form opens
    bool secret = false; // a password: shown as dots, never kept by the form
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Yes/No question; returns true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text, bool defaultNo = false) = 0;
    // An OK message box.
    virtual void tell(const QString& title, const QString& text, MessageIcon icon = MessageIcon::None) = 0;
    // File dialogs: the chosen full path, or an empty text when the user cancelled.
    virtual QString chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual QString chooseSaveFile(const FileDialogRequest& request) = 0;
    // A folder dialog (the request's title and starting folder count): the chosen folder, or an
    // empty text when the user cancelled.
    virtual QString chooseFolder(const FileDialogRequest& request) = 0;
    // A small form of labelled text boxes with OK and Cancel: the texts typed, in the fields'
    // order; none when cancelled. Where no form can be shown (a terminal), it is cancelled.
    virtual std::optional<QStringList> askTexts(const QString& title, const QString& text,
                                                const QList<TextField>& fields)
    {
        Q_UNUSED(title);
        Q_UNUSED(text);
        Q_UNUSED(fields);
        return std::nullopt;
    }
};

// Message boxes and file dialogs of Qt, parented to `parent` (may be null).
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    bool askYesNo(const QString& title, const QString& text, bool defaultNo) override;
    void tell(const QString& title, const QString& text, MessageIcon icon) override;
    QString chooseOpenFile(const FileDialogRequest& request) override;
    QString chooseSaveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const FileDialogRequest& request) override;
    std::optional<QStringList> askTexts(const QString& title, const QString& text,
                                        const QList<TextField>& fields) override;

private:
    QWidget* parent_;
};

} // namespace wk::controls
