#pragma once
// A started program on a real scrapbook, switched to the edit screen, plus a way to read the
// stored entries back independently of the program's own data sources.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/Twips.h"
#include "controls/PictureButton.h"
#include "store/Connection.h"
#include "store/DataSource.h"

#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>

namespace wk::testing {

class EditingTest : public ::testing::Test {
protected:
    shell::MainWindow& start()
    {
        program = std::make_unique<StartedProgram>(book.dir());
        program->clock.setToday(QDate(2001, 7, 4));
        program->start();
        return program->form();
    }
    shell::MainWindow& startInEditScreen(int line = 0)
    {
        shell::MainWindow& form = start();
        if (line >= 0)
            selectLine(form.widgets().entryList, line);
        form.widgets().editScreenButton->click();
        return form;
    }
    ScriptedPrompts& prompts() { return program->prompts; }

    // Every stored entry, in row order, with its fields by upper-case name.
    std::vector<QVariantMap> storedEntries()
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

    static int pixels(int twips) { return controls::twipsToPixels(twips); }

    TestScrapbook book;
    std::unique_ptr<StartedProgram> program;
};

} // namespace wk::testing
