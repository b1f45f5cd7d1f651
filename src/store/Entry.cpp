#include "store/Entry.h"

#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/RowChange.h"
#include "store/StoreError.h"

#include <QDateTime>

namespace wk::store {

Entry readEntry(const DataSource& source)
{
    return {source.field(kDateField),  source.field(kTitleField),   source.field(kCategoryField),
            source.field(kWhereField), source.field(kPictureField), source.field(kLogField)};
}

namespace {
bool isEmptyText(const QVariant& value) { return value.isNull() || value.toString().isEmpty(); }
} // namespace

void writeEntry(DataSource& source, const Entry& entry, SkipEmpty skip)
{
    source.setField(kDateField, entry.date);
    if (!(skip.picture && isEmptyText(entry.picture)))
        source.setField(kPictureField, entry.picture);
    source.setField(kTitleField, entry.title);
    if (!(skip.log && isEmptyText(entry.log)))
        source.setField(kLogField, entry.log);
    source.setField(kWhereField, entry.where);
    source.setField(kCategoryField, entry.category);
}

QString valueText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return dates::formatShort(value.toDate());
    if (value.typeId() == QMetaType::QDateTime)
        return dates::formatShort(value.toDateTime().date());
    return value.toString();
}

QString describeStoredEntry(const RowState& row)
{
    static const std::pair<QString, QString> kLabels[] = {
        {kDateField, QStringLiteral("Date")},       {kTitleField, QStringLiteral("Title")},
        {kCategoryField, QStringLiteral("What")},   {kWhereField, QStringLiteral("Who or Where")},
        {kPictureField, QStringLiteral("Picture")}, {kLogField, QStringLiteral("Log")},
    };
    QStringList lines;
    for (const auto& [field, label] : kLabels)
        for (qsizetype c = 0; c < row.columns.size(); ++c) {
            if (row.columns.at(c).compare(field, Qt::CaseInsensitive) != 0)
                continue;
            const QVariant& value = row.values.at(c);
            const std::optional<QDate> day =
                field == kDateField ? dates::dayFromStorage(value.toString()) : std::nullopt;
            lines << label + QStringLiteral(": ") + (day ? dates::formatShort(*day) : value.toString());
        }
    return lines.join(QLatin1Char('\n'));
}

QString fieldText(const DataSource& source, const QString& field) { return valueText(source.field(field)); }

QDate dateOf(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (v.isValid() && !v.isNull())
        return dates::parseDate(v.toString()).value_or(QDate());
    return {};
}

QDate fieldDate(const DataSource& source, const QString& field) { return dateOf(source.field(field)); }

QString titleById(const DataSource& source, qint64 id, int likelyRow)
{
    try {
        const bool there =
            likelyRow >= 0 && likelyRow < source.recordCount() && source.rowIdAt(likelyRow) == id;
        const int row = there ? likelyRow : source.rowOfId(id);
        return row < 0 ? QString() : valueText(source.fieldAt(row, kTitleField));
    } catch (const StoreError&) {
        return {}; // the line stays, without its title
    }
}

} // namespace wk::store
