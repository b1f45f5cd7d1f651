#include "shell/EntryUndo.h"

#include "controls/Steps.h"
#include "controls/UiLog.h"
#include "store/Connection.h"
#include "store/Entry.h"
#include "store/RowChange.h"

#include <QKeySequence>
#include <QShortcut>
#include <QUndoCommand>
#include <QWidget>

namespace wk::shell {

namespace {

const QString kEntryTable = QStringLiteral("MYLIFE");

// One row change: undo writes the row as it was, redo as it became. The change was already
// written when the step is pushed, so the first redo (which pushing runs) writes nothing.
class RowChangeStep : public QUndoCommand {
public:
    RowChangeStep(store::ConnectionPool& pool, QString database, store::RowChange change)
        : pool_(pool), database_(std::move(database)), change_(std::move(change))
    {
        setText(!change_.before  ? QStringLiteral("Add entry")
                : !change_.after ? QStringLiteral("Delete entry")
                                 : QStringLiteral("Change entry"));
    }

    void undo() override { write(change_.before); }
    void redo() override
    {
        if (written_)
            write(change_.after);
        written_ = true;
    }

private:
    void write(const std::optional<store::RowState>& state)
    {
        // A step that cannot be written (the file went away, say) is logged; the stack moves on.
        controls::skipStep([&] {
            std::shared_ptr<store::Connection> connection = pool_.open(database_);
            store::writeRowState(*connection, change_.table, change_.rowId, state);
        });
    }

    store::ConnectionPool& pool_;
    QString database_;
    store::RowChange change_;
    bool written_ = false;
};

} // namespace

EntryUndo::EntryUndo(QWidget* window, store::ConnectionPool& pool, std::function<void()> showChanges)
    : pool_(pool), showChanges_(std::move(showChanges))
{
    pool.setChangeObserver([this](const store::RowChange& change) { record(change); });
    // Window shortcuts: a text box with the focus takes the same keys for its own typing first.
    auto* undoKey = new QShortcut(QKeySequence::Undo, window);
    connect(undoKey, &QShortcut::activated, this, &EntryUndo::undo);
    auto* redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), window);
    connect(redoKey, &QShortcut::activated, this, &EntryUndo::redo);
}

EntryUndo::~EntryUndo() { pool_.setChangeObserver({}); }

void EntryUndo::record(const store::RowChange& change)
{
    if (change.table.compare(kEntryTable, Qt::CaseInsensitive) != 0)
        return; // names, categories and the disc setting are no entries
    stack_.push(new RowChangeStep(pool_, change.database, change));
}

void EntryUndo::undo()
{
    if (!stack_.canUndo())
        return;
    stack_.undo();
    showChanges_();
}

void EntryUndo::redo()
{
    if (!stack_.canRedo())
        return;
    stack_.redo();
    showChanges_();
}

} // namespace wk::shell
