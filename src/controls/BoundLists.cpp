#include "controls/BoundLists.h"

#include "controls/Steps.h"
#include "store/DataSource.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace wk::controls {

QStringList readColumn(store::DataSource& source, const QString& field)
{
    QStringList texts;
    if (source.recordCount() == 0)
        return texts;
    source.moveFirst();
    while (!source.eof()) {
        const QVariant v = source.field(field);
        texts << (v.isNull() ? QString() : v.toString());
        source.moveNext();
    }
    return texts;
}

namespace {
QStringList refreshedColumn(store::DataSource& source, const QString& field, bool& ok)
{
    try {
        source.refreshIfChanged(); // a set read since, with nothing written, is what a re-read gives
        ok = true;
        return readColumn(source, field);
    } catch (const std::exception& failure) {
        logSkipped(failure);
        ok = false;
        return {};
    }
}
} // namespace

void fillList(QListWidget* list, store::DataSource& source, const QString& field)
{
    bool ok = false;
    const QStringList texts = refreshedColumn(source, field, ok);
    if (!ok)
        return;
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(texts);
}

void fillCombo(QComboBox* combo, store::DataSource& source, const QString& field)
{
    bool ok = false;
    const QStringList texts = refreshedColumn(source, field, ok);
    if (ok)
        refillCombo(combo, texts);
}

void refillCombo(QComboBox* combo, const QStringList& texts)
{
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(texts);
    combo->setEditText(text);
}

} // namespace wk::controls
