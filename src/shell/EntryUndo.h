#pragma once
// Undo and redo of the changes to the entries made in this run: a delete, a saved change, an
// added entry, a day-grid row, a dropped copy. Every row the store changes in the entry table
// becomes one step on Qt's undo stack; Ctrl+Z in the main window (outside a text box, where it
// keeps undoing typing) undoes the newest, Ctrl+Shift+Z makes it again. An undone delete brings
// the entry back with every field, under its old row id while no other entry has taken it. A
// step whose row another program changed since is refused and told, never written over; so is a
// step the file does not take, and the stack then stays where it was. Picture files are never
// touched.
#include "store/RowChange.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <vector>

class QWidget;

namespace wk::controls {
class Prompts;
}

namespace wk::store {
class ConnectionPool;
} // namespace wk::store

namespace wk::shell {

class EntryUndo : public QObject {
    Q_OBJECT
public:
    // Hears of every change written through `pool` and answers the undo keys in `window`;
    // `showChanges` brings the lists and the calendar up to date after an undo or a redo.
    EntryUndo(QWidget* window, store::ConnectionPool& pool, controls::Prompts& prompts,
              std::function<void()> showChanges);
    ~EntryUndo() override;

    QUndoStack& stack() { return stack_; }
    void undo();
    void redo();
    // Runs `work`; the entry changes it writes (an import's) become one step named `text`, also
    // when `work` throws after writing some.
    void recordAsOneStep(const QString& text, const std::function<void()>& work);

private:
    void record(const store::RowChange& change);

    store::ConnectionPool& pool_;
    controls::Prompts& prompts_;
    std::function<void()> showChanges_;
    QUndoStack stack_;
    bool grouping_ = false;
    std::vector<store::RowChange> group_;
};

} // namespace wk::shell
