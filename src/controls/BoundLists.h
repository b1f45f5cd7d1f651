#pragma once
// Lists and combos that show one field of every row of a data source, the way a data-bound
// list does: refreshed from the source, in the source's order.
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace wk::store {
class DataSource;
}

namespace wk::controls {

// The field's text of every row (null as empty, trailing blanks kept). Throws StoreError.
QStringList readColumn(store::DataSource& source, const QString& field);

// Refreshes `source` and shows the field of every row; keeps the old lines when that fails.
void fillList(QListWidget* list, store::DataSource& source, const QString& field);
void fillCombo(QComboBox* combo, store::DataSource& source, const QString& field);

// Replaces the combo's lines with `texts`, keeping the text in its edit box; raises no signals.
void refillCombo(QComboBox* combo, const QStringList& texts);

} // namespace wk::controls
