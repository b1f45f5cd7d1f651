#include "shell/EntryUndo.h"

#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "controls/UiLog.h"
#include "store/Connection.h"
#include "store/Entry.h"
#include "store/RowChange.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QUndoCommand>
#include <QWidget>
#include <utility>

namespace wk::shell {

namespace {

const QString kEntryTable = QStringLiteral("MYLIFE");

// One row change, or several written as one (an import): undo writes the rows as they were,
// redo as they became. The change was already written when the step is pushed, so the first
// redo (which pushing runs) writes nothing.
// EntryUndo writes a step before it moves the stack (writeFor), so a step that cannot be written
// leaves the stack where it was; the stack's own undo() and redo() then write nothing more.
class RowChangeStep : public QUndoCommand {
public:
    RowChangeStep(store::ConnectionPool& pool, controls::Prompts& prompts, QString database,
                  std::vector<store::RowChange> changes, const QString& text)
        : pool_(pool), prompts_(prompts), database_(std::move(database)), changes_(std::move(changes))
    {
        setText(text);
    }

    void undo() override
    {
        if (!std::exchange(prewritten_, false))
            write(true);
    }
    void redo() override
    {
        if (written_ && !std::exchange(prewritten_, false))
            write(false);
        written_ = true;
    }

    // Writes the row as it was (undoing) or as it became, ahead of the stack's move; false, with
    // the user told why, when it cannot be written.
    bool writeFor(bool undoing)
    {
        // A file another program holds is waited for (at most the store's busy timeout).
        QApplication::setOverrideCursor(Qt::WaitCursor);
        prewritten_ = write(undoing);
        QApplication::restoreOverrideCursor();
        return prewritten_;
    }

private:
    bool write(bool undoing)
    {
        const QString notDone = undoing ? QStringLiteral("The change could not be undone.")
                                        : QStringLiteral("The change could not be made again.");
        const QString title = QStringLiteral("Wanderkeep");
        try {
            std::shared_ptr<store::Connection> connection = pool_.open(database_);
            // The row must still hold what the step left it holding: another computer's change
            // is never overwritten, and a deleted entry comes back as a new row when another
            // entry has taken its id.
            store::writeRowChanges(*connection, changes_, undoing);
            return true;
        } catch (const store::RowChangedError& changed) {
            prompts_.tell(title,
                          notDone + QStringLiteral("\n\n") + changed.message() +
                              QStringLiteral("\n\nIt now holds:\n") + store::describeStoredEntry(changed.now),
                          controls::MessageIcon::Exclamation);
        } catch (const std::exception& failure) {
            controls::tellFailedWrite(prompts_, title, notDone, failure);
        }
        return false;
    }

    store::ConnectionPool& pool_;
    controls::Prompts& prompts_;
    QString database_;
    std::vector<store::RowChange> changes_;
    bool written_ = false;
    bool prewritten_ = false;
};

} // namespace

EntryUndo::EntryUndo(QWidget* window, store::ConnectionPool& pool, controls::Prompts& prompts,
                     std::function<void()> showChanges)
    : pool_(pool), prompts_(prompts), showChanges_(std::move(showChanges))
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
    if (grouping_) {
        group_.push_back(change);
        return;
    }
    const QString text = !change.before  ? QStringLiteral("Add entry")
                         : !change.after ? QStringLiteral("Delete entry")
                                         : QStringLiteral("Change entry");
    stack_.push(new RowChangeStep(pool_, prompts_, change.database, {change}, text));
}

void EntryUndo::recordAsOneStep(const QString& text, const std::function<void()>& work)
{
    grouping_ = true;
    group_.clear();
    const auto push = [&] {
        grouping_ = false;
        if (!group_.empty()) {
            const QString database = group_.front().database;
            stack_.push(new RowChangeStep(pool_, prompts_, database, std::exchange(group_, {}), text));
        }
    };
    try {
        work();
    } catch (...) {
        push();
        throw;
    }
    push();
}

void EntryUndo::undo()
{
    if (!stack_.canUndo())
        return;
    auto* step = static_cast<RowChangeStep*>(const_cast<QUndoCommand*>(stack_.command(stack_.index() - 1)));
    if (!step->writeFor(true))
        return; // told; the stack stays where it was
    stack_.undo();
    showChanges_();
}

void EntryUndo::redo()
{
    if (!stack_.canRedo())
        return;
    auto* step = static_cast<RowChangeStep*>(const_cast<QUndoCommand*>(stack_.command(stack_.index())));
    if (!step->writeFor(false))
        return;
    stack_.redo();
    showChanges_();
}

} // namespace wk::shell
