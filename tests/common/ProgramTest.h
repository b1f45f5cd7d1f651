#pragma once
// The fixture of every test that drives the main window: a scrapbook in a temporary folder, the
// program started on it with "today" pinned, and the stored entries read back independently of
// the program's own data sources. It includes what tests of the main window's widgets use.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "shell/MainWindow.h"
#include "store/Connection.h"
#include "store/DataSource.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>

namespace wk::testing {

class ProgramTest : public ::testing::Test {
protected:
    // Starts the program on `book` with its clock at `today`, answering its start-up questions
    // with `yesNo`; a second call starts it afresh.
    shell::MainWindow& start(const QList<bool>& yesNo = {})
    {
        program = std::make_unique<StartedProgram>(book.location());
        program->clock.setToday(today);
        program->prompts.yesNoAnswers.append(yesNo);
        program->start();
        return program->form();
    }
    shell::MainWindow& form() { return program->form(); }
    const shell::MainWindowWidgets& widgets() { return program->form().widgets(); }
    ScriptedPrompts& prompts() { return program->prompts; }

    // Every stored entry, in row order, with its fields by upper-case name.
    std::vector<QVariantMap> storedEntries() const
    {
        store::ConnectionPool pool;
        store::DataSource table(pool, QStringLiteral("check"));
        table.setDatabaseName(book.databasePath());
        table.setRecordSource(QStringLiteral("MYLIFE"));
        table.refresh();
        std::vector<QVariantMap> rows;
        for (int r = 0; r < table.recordCount(); ++r) {
            QVariantMap row;
            for (const QString& f : table.fieldNames())
                row[f.toUpper()] = table.fieldAt(r, f);
            rows.push_back(row);
        }
        return rows;
    }

    TestScrapbook book;
    QDate today = QDate::currentDate(); // the program's today, set before start()
    std::unique_ptr<StartedProgram> program;
};

} // namespace wk::testing
