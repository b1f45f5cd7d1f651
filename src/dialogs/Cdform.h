#pragma once
// "CD-Rom Drive Setup": shows and changes the folder (or drive) where the picture disc is
// found, kept in the one row of table cddrive. Every way of closing the window saves it.
#include "controls/Forward.h"

#include <QPointer>
#include <QWidget>
#include <optional>

namespace wk::dialogs {

// What the disc window works on.
struct CdformParts {
    QWidget* window; // the main window, which owns this one
    store::DataSource& datacd;
    QString& pictureRoot;
    controls::Prompts& prompts;
};

class Cdform : public QWidget {
    Q_OBJECT
public:
    // Shows the window (creating it when it is not open) with the focus in Text1.
    static Cdform* open(const CdformParts& parts);

    explicit Cdform(const CdformParts& parts);

    void Form_Load();
    void Text1_Change();
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    bool save();

    CdformParts parts_;
    bool saved_ = false;
    std::optional<QString> refusedText_;
};

// Upper-cases a bare drive letter ("e" or "e:"); any other text (a folder) keeps its case.
QString normaliseDiscText(const QString& text);

} // namespace wk::dialogs
