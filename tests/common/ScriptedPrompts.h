#pragma once
// A Prompts implementation for tests: answers come from queues the test fills, and every
// question, message and dialog request is recorded so the test can check what was asked.
#include "controls/Prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace wk::testing {

class ScriptedPrompts : public controls::Prompts {
public:
    struct Asked {
        QString kind; // "yesno", "tell", "open", "save", "folder", "texts"
        QString title;
        QString text; // the message, or the dialog's filter for file dialogs
        bool defaultNo = false;
        controls::MessageIcon icon = controls::MessageIcon::None;
        controls::FileDialogRequest request;
    };

    QQueue<bool> yesNoAnswers;                    // empty queue: answers No
    QQueue<QString> fileAnswers;                  // empty text or empty queue: cancelled
    QQueue<QStringList> textAnswers;              // empty queue: cancelled
    QList<QList<controls::TextField>> textFields; // each form's fields as asked
    QList<Asked> asked;

    bool askYesNo(const QString& title, const QString& text, bool defaultNo) override
    {
        asked.append({QStringLiteral("yesno"), title, text, defaultNo, {}, {}});
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
    }
    void tell(const QString& title, const QString& text, controls::MessageIcon icon) override
    {
        asked.append({QStringLiteral("tell"), title, text, false, icon, {}});
    }
    QString chooseOpenFile(const controls::FileDialogRequest& request) override
    {
        asked.append({QStringLiteral("open"), request.title, request.filter, false, {}, request});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    QString chooseSaveFile(const controls::FileDialogRequest& request) override
    {
        asked.append({QStringLiteral("save"), request.title, request.filter, false, {}, request});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }

    QString chooseFolder(const controls::FileDialogRequest& request) override
    {
        asked.append({QStringLiteral("folder"), request.title, {}, false, {}, request});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }

    std::optional<QStringList> askTexts(const QString& title, const QString& text,
                                        const QList<controls::TextField>& fields) override
    {
        asked.append({QStringLiteral("texts"), title, text, false, {}, {}});
        textFields.append(fields);
        if (textAnswers.isEmpty())
            return std::nullopt;
        return textAnswers.dequeue();
    }

    // The texts of every message box shown with tell(), in order.
    QStringList toldTexts() const
    {
        QStringList texts;
        for (const Asked& a : asked)
            if (a.kind == QLatin1String("tell"))
                texts << a.text;
        return texts;
    }
};

} // namespace wk::testing
