#include "store/Queries.h"

namespace wk::store::queries {

Query allEntries() { return QStringLiteral("SELECT * FROM mylife order by date;"); }

Query categoryFilter(const QString& caption, const QString& name)
{
    if (name.isEmpty())
        return {QStringLiteral("SELECT * FROM mylife WHERE what=? and where >= ' ' ;"), {caption}};
    return {QStringLiteral("SELECT * FROM mylife WHERE what=? and where = ? ;"), {caption, name}};
}

Query nameFilter(const QString& caption, const QString& name)
{
    QVariantList values;
    QString text = QStringLiteral("SELECT * FROM mylife WHERE ");
    if (caption.isNull()) {
        text += QStringLiteral("what >= ' '");
    } else {
        text += QStringLiteral("what = ? ");
        values << caption;
    }
    text += QStringLiteral(" and ");
    if (name.isEmpty()) {
        text += QStringLiteral("where = ' ' ");
    } else {
        text += QStringLiteral("where = ?");
        values << name;
    }
    return {text + QStringLiteral(" order by date;"), values};
}

Query day(const QString& dateText)
{
    return {QStringLiteral("SELECT * FROM mylife WHERE mylife.date=datevalue(?)  order by mylife.date;"),
            {dateText}};
}

Query entriesWithWords(const QString& typed)
{
    return {QStringLiteral("SELECT * FROM mylife WHERE haswords(?) order by date, rowid;"), {typed}};
}

Query entryByRow(qlonglong rowId)
{
    return {QStringLiteral("SELECT * FROM mylife WHERE rowid = ? ;"), {rowId}};
}

Query calendarItemsCriterion() { return QStringLiteral("mid(WHAT,1,1) = '5'"); }

} // namespace wk::store::queries
