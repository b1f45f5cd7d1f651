#include "store/Queries.h"

#include "store/QueryDialect.h"

namespace wk::store::queries {

QString allEntries() { return QStringLiteral("SELECT * FROM mylife order by date;"); }

QString categoryFilter(const QString& caption, const QString& name)
{
    const QString nameClause = name.isEmpty()
                                   ? QStringLiteral("where >= ' '")
                                   : QStringLiteral("where = '") + quoteValue(name) + QLatin1Char('\'');
    return QStringLiteral("SELECT * FROM mylife WHERE what='") + quoteValue(caption) +
           QStringLiteral("' and ") + nameClause + QStringLiteral(" ;");
}

QString nameFilter(const QString& caption, const QString& name)
{
    const QString categoryClause =
        caption.isNull() ? QStringLiteral("what >= ' '")
                         : QStringLiteral("what = '") + quoteValue(caption) + QStringLiteral("' ");
    const QString nameClause = name.isEmpty()
                                   ? QStringLiteral("where = ' ' ")
                                   : QStringLiteral("where = '") + quoteValue(name) + QLatin1Char('\'');
    return QStringLiteral("SELECT * FROM mylife WHERE ") + categoryClause + QStringLiteral(" and ") +
           nameClause + QStringLiteral(" order by date;");
}

QString day(const QString& dateText)
{
    return QStringLiteral("SELECT * ") + QStringLiteral("FROM mylife ") + QStringLiteral("WHERE ") +
           QStringLiteral("mylife.date=datevalue('") + quoteValue(dateText) + QStringLiteral("') ") +
           QStringLiteral(" ") + QStringLiteral("order by mylife.date;");
}

QString entriesWithWords(const QString& typed)
{
    return QStringLiteral("SELECT * FROM mylife WHERE haswords('") + quoteValue(typed) +
           QStringLiteral("') order by date, rowid;");
}

QString entryByRow(qlonglong rowId)
{
    return QStringLiteral("SELECT * FROM mylife WHERE rowid = %1 ;").arg(rowId);
}

QString calendarItemsCriterion() { return QStringLiteral("mid(WHAT,1,1) = '5'"); }

} // namespace wk::store::queries
