// How the paged model asks the server for a page: the sort order over the unique key, the
// statements that read from a key onwards in either direction, and the bounds that keep a
// filtered page from reading the whole table.

#include "pagedquerymodel.h"
#include "sqlutil.h"

#include "dbmanager.h"

#include <QSqlField>
#include <QSqlQuery>

#include <algorithm>

namespace {

// Position of a keyword at nesting depth 0 and outside quotes, or -1.
int TopLevelKeyword(const QString &sql, const QString &keyword, int from = 0)
{
    int depth = 0;
    QChar quote;
    const int n = sql.size();
    const int k = keyword.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && i >= from && i + k <= n
                   && sql.midRef(i, k).compare(keyword, Qt::CaseInsensitive) == 0) {
            const bool startOk = i == 0
                || !(sql.at(i - 1).isLetterOrNumber() || sql.at(i - 1) == QLatin1Char('_'));
            const bool endOk = i + k == n
                || !(sql.at(i + k).isLetterOrNumber() || sql.at(i + k) == QLatin1Char('_'));
            if (startOk && endOk)
                return i;
        }
    }
    return -1;
}

// Comma-separated parts at nesting depth 0.
QStringList TopLevelParts(const QString &expression)
{
    QStringList parts;
    int depth = 0;
    int start = 0;
    for (int i = 0; i < expression.size(); ++i) {
        const QChar c = expression.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            parts << expression.mid(start, i - start).trimmed();
            start = i + 1;
        }
    }
    parts << expression.mid(start).trimmed();
    parts.removeAll(QString());
    return parts;
}

QString KeyAlias(int part)
{
    return QStringLiteral("qb_key%1").arg(part);
}

} // namespace

void PagedQueryModel::PrepareOrder()
{
    m_keyParts.clear();
    m_selectList.clear();
    m_fromPart.clear();
    m_hasWhere = false;
    m_keyset = false;

    const bool descending = m_sortOrder == Qt::DescendingOrder;
    QString sortExpression;
    bool unique = false;
    if (m_sortColumn >= 0) {
        sortExpression = m_sortExpressions.value(m_sortColumn).trimmed();
        unique = m_uniqueColumns.contains(m_sortColumn);
        if (sortExpression.isEmpty()) {
            // Sorted by position: the ORDER BY works, but the key has no expression to
            // compare with, so pages go by OFFSET.
            m_keyParts.append({QString::number(m_sortColumn + 1), descending});
            if (!m_tieBreaker.isEmpty())
                m_keyParts.append({m_tieBreaker, descending});
            return;
        }
        for (const QString &part : TopLevelParts(sortExpression))
            m_keyParts.append({part, descending});
    }
    if (!unique && !m_tieBreaker.isEmpty()) {
        const QString tie = m_tieBreaker.trimmed();
        // The key column itself needs no second copy of itself.
        if (tie.compare(sortExpression, Qt::CaseInsensitive) != 0) {
            for (const QString &part : TopLevelParts(tie))
                m_keyParts.append({part, m_sortColumn >= 0 && descending});
        } else {
            unique = true;
        }
    }
    const bool orderIsUnique = unique || !m_tieBreaker.isEmpty();
    const int from = TopLevelKeyword(m_select, QStringLiteral("FROM"));
    if (!orderIsUnique || m_keyParts.isEmpty() || from < 0)
        return;
    for (const char *word : {"GROUP", "HAVING", "UNION", "LIMIT", "ORDER", "DISTINCT"}) {
        if (TopLevelKeyword(m_select, QLatin1String(word)) >= 0)
            return;
    }
    m_selectList = m_select.left(from).trimmed();
    m_fromPart = m_select.mid(from).trimmed();
    m_hasWhere = TopLevelKeyword(m_fromPart, QStringLiteral("WHERE")) >= 0;
    m_keyset = true;
}

QString PagedQueryModel::OrderBy(bool reversed) const
{
    QStringList order;
    const int sortedParts = m_sortColumn < 0
        ? 0
        : (m_sortExpressions.value(m_sortColumn).trimmed().isEmpty()
               ? 1
               : TopLevelParts(m_sortExpressions.value(m_sortColumn)).size());
    for (int i = 0; i < m_keyParts.size(); ++i) {
        const KeyPart &part = m_keyParts.at(i);
        const bool descending = part.descending != reversed;
        if (i < sortedParts)
            order << part.expression
                    + (descending ? QLatin1String(" DESC") : QLatin1String(" ASC"));
        else
            order << part.expression + (descending ? QLatin1String(" DESC") : QLatin1String(""));
    }
    return order.isEmpty() ? QString()
                           : QLatin1String(" ORDER BY ") + order.join(QLatin1String(", "));
}

QString PagedQueryModel::PageStatement() const
{
    if (!m_keyset)
        return m_select + OrderBy(false) + QLatin1String(" LIMIT :qb_limit OFFSET :qb_offset");
    QString sql = m_selectList;
    for (int i = 0; i < m_keyParts.size(); ++i)
        sql += QLatin1String(", ") + m_keyParts.at(i).expression + QLatin1String(" AS ")
            + KeyAlias(i);
    return sql + QLatin1Char(' ') + m_fromPart + OrderBy(false) + QLatin1String(" LIMIT :qb_limit");
}

bool PagedQueryModel::Exec(QSqlQuery &query, const QString &sql, const QVariantMap &extra)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (auto it = m_bindings.constBegin(); ok && it != m_bindings.constEnd(); ++it)
        query.bindValue(it.key(), it.value());
    for (auto it = extra.constBegin(); ok && it != extra.constEnd(); ++it)
        query.bindValue(it.key(), it.value());
    if (!ok || !query.exec()) {
        m_lastError = query.lastError();
        LogSqlError(m_lastError);
        return false;
    }
    return true;
}

bool PagedQueryModel::Run(const QString &sql, const QVariantMap &extra, QVector<Row> &rows)
{
    SqlQuery query(m_db);
    if (!Exec(query, sql, extra))
        return false;
    m_lastError = QSqlError();
    const QSqlRecord fields = query.record();
    if (m_record.isEmpty()) {
        m_visibleColumns = fields.count() - (m_keyset ? m_keyParts.size() : 0);
        m_record = QSqlRecord();
        for (int i = 0; i < m_visibleColumns; ++i) {
            QSqlField field = fields.field(i);
            field.clear();
            m_record.append(field);
        }
    }
    const int columns = fields.count();
    while (query.next()) {
        Row row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = query.value(c);
        rows.append(row);
    }
    return true;
}

QString PagedQueryModel::FromWhere(const QString &condition) const
{
    if (condition.isEmpty())
        return m_fromPart;
    if (!m_hasWhere)
        return m_fromPart + QLatin1String(" WHERE ") + condition;
    const int where = TopLevelKeyword(m_fromPart, QStringLiteral("WHERE"));
    return m_fromPart.left(where) + QLatin1String("WHERE (") + m_fromPart.mid(where + 5).trimmed()
        + QLatin1String(") AND ") + condition;
}

QVariant PagedQueryModel::PageBound(const QString &condition, const QVariantMap &values,
                                    bool descending, int limit)
{
    // Ordered by the first part alone, the server walks that part's index and stops after
    // limit rows; every row of the page has a value up to the one found there. Where few rows
    // match, the walk is cut short by a budget of rows read and the page goes without a
    // bound. A cut-short sort can only find a value farther on, which bounds less but never
    // loses a row.
    if (m_boundsUnsupported)
        return QVariant();
    const QString first = m_keyParts.first().expression;
    QVariantMap extra = values;
    extra.insert(QStringLiteral(":qb_skip"), qMax(0, limit - 1));
    extra.insert(QStringLiteral(":qb_budget"), 40 * qMax(limit, 64));
    SqlQuery query(m_db);
    if (!Exec(query,
              QLatin1String("SELECT ") + first + QLatin1Char(' ')
                  + FromWhere(condition + (condition.isEmpty() ? "" : " AND ") + first
                              + " IS NOT NULL")
                  + QLatin1String(" ORDER BY ") + first + QLatin1String(descending ? " DESC" : "")
                  + QLatin1String(" LIMIT 1 OFFSET :qb_skip ROWS EXAMINED :qb_budget"),
              extra)) {
        // A server without a rows-read budget (MySQL) pages as before.
        m_boundsUnsupported = true;
        return QVariant();
    }
    return query.next() ? query.value(0) : QVariant();
}

QPair<QVariant, QVariant> PagedQueryModel::PageRange(const QString &condition,
                                                    const QVariantMap &values, bool descending,
                                                    int limit)
{
    // The filter is on the walked index's own table: the server reads that index in the
    // page's order, joins only the entries that pass and stops after limit rows, so the walk
    // costs at most the index's length even where every match lies at its far end, and needs
    // no budget. Its first value bounds the page from the other side too, which keeps the
    // page's own read to the stretch of the index the walk found.
    const QString first = m_keyParts.first().expression;
    QVariantMap extra = values;
    extra.insert(QStringLiteral(":qb_walk"), limit);
    SqlQuery query(m_db);
    const bool ok = Exec(query,
                         QLatin1String("SELECT COUNT(*), MIN(qb_value), MAX(qb_value) FROM (SELECT ")
                             + first + QLatin1String(" AS qb_value ")
                             + FromWhere(condition + (condition.isEmpty() ? "" : " AND ") + first
                                         + " IS NOT NULL")
                             + QLatin1String(" ORDER BY ") + first
                             + QLatin1String(descending ? " DESC" : "")
                             + QLatin1String(" LIMIT :qb_walk) AS qb_walked"),
                         extra);
    if (!ok || !query.next() || query.value(0).toInt() < limit)
        return {};
    return descending ? qMakePair(query.value(2), query.value(1))
                      : qMakePair(query.value(1), query.value(2));
}

bool PagedQueryModel::FetchKeyed(Direction direction, const QVariantList &key, int limit,
                                 QVector<Row> &rows)
{
    const bool reversed = direction == Direction::Backward;
    QVariantMap extra;
    QString condition;
    m_lastPageBounded = false;
    if (!key.isEmpty()) {
        // "After the key" in the (possibly reversed) order, part by part:
        // greater(p0) OR (equal(p0) AND (greater(p1) OR (equal(p1) AND ...))).
        // NULL sorts first ascending and last descending, as the server orders it.
        int bound = 0;
        auto value = [&](const QVariant &v) {
            const QString name = QStringLiteral(":qb_k%1").arg(bound++);
            extra.insert(name, v);
            return name;
        };
        QString tail;
        for (int i = m_keyParts.size() - 1; i >= 0; --i) {
            const QString e = m_keyParts.at(i).expression;
            const bool descending = m_keyParts.at(i).descending != reversed;
            const QVariant v = key.value(i);
            QString greater;
            QString equal;
            if (v.isNull()) {
                greater = descending ? QString() : e + QLatin1String(" IS NOT NULL");
                equal = e + QLatin1String(" IS NULL");
            } else {
                greater = descending ? QStringLiteral("(%1 < %2 OR %1 IS NULL)").arg(e, value(v))
                                     : QStringLiteral("%1 > %2").arg(e, value(v));
                if (!tail.isEmpty())
                    equal = e + QLatin1String(" = ") + value(v);
            }
            QStringList alternatives;
            if (!greater.isEmpty())
                alternatives << greater;
            if (!tail.isEmpty())
                alternatives << QStringLiteral("(%1 AND %2)").arg(equal, tail);
            tail = alternatives.isEmpty()
                ? QStringLiteral("1 = 0")
                : QLatin1Char('(') + alternatives.join(QLatin1String(" OR ")) + QLatin1Char(')');
        }
        // A plain bound on the first part lets the server start its index range there.
        const QString first = m_keyParts.first().expression;
        const bool firstDescending = m_keyParts.first().descending != reversed;
        const QVariant v0 = key.value(0);
        QString start;
        if (!v0.isNull())
            start = firstDescending
                ? QStringLiteral("(%1 <= %2 OR %1 IS NULL)").arg(first, value(v0))
                : QStringLiteral("%1 >= %2").arg(first, value(v0));
        else if (firstDescending)
            start = first + QLatin1String(" IS NULL");
        condition = start.isEmpty() ? tail : start + QLatin1String(" AND ") + tail;
    }
    if (m_sortColumn >= 0 && m_boundedColumns.contains(m_sortColumn)) {
        const QString first = m_keyParts.first().expression;
        const bool descending = m_keyParts.first().descending != reversed;
        QVariant start;
        QVariant bound;
        if (m_walkedFilterColumns.contains(m_sortColumn)) {
            const QPair<QVariant, QVariant> range = PageRange(condition, extra, descending, limit);
            start = range.first;
            bound = range.second;
        } else {
            bound = PageBound(condition, extra, descending, limit);
        }
        if (!bound.isNull()) {
            extra.insert(QStringLiteral(":qb_bound"), bound);
            condition += QLatin1String(condition.isEmpty() ? "" : " AND ") + first
                + QLatin1String(descending ? " >= :qb_bound" : " <= :qb_bound");
        }
        if (!start.isNull()) {
            extra.insert(QStringLiteral(":qb_start"), start);
            condition += QLatin1String(condition.isEmpty() ? "" : " AND ") + first
                + QLatin1String(descending ? " <= :qb_start" : " >= :qb_start");
        }
        m_lastPageBounded = !bound.isNull();
    }
    QString sql = m_selectList;
    for (int i = 0; i < m_keyParts.size(); ++i)
        sql += QLatin1String(", ") + m_keyParts.at(i).expression + QLatin1String(" AS ")
            + KeyAlias(i);
    sql += QLatin1Char(' ') + FromWhere(condition) + OrderBy(reversed)
        + QLatin1String(" LIMIT :qb_limit");
    extra.insert(QStringLiteral(":qb_limit"), limit);
    if (!Run(sql, extra, rows))
        return false;
    if (reversed)
        std::reverse(rows.begin(), rows.end());
    return true;
}

bool PagedQueryModel::FetchOffset(int offset, int limit, bool reversed, QVector<Row> &rows)
{
    const QString sql
        = m_select + OrderBy(reversed) + QLatin1String(" LIMIT :qb_limit OFFSET :qb_offset");
    if (!Run(sql, {{QStringLiteral(":qb_limit"), limit}, {QStringLiteral(":qb_offset"), offset}},
             rows)) {
        return false;
    }
    if (reversed)
        std::reverse(rows.begin(), rows.end());
    return true;
}

QVariantList PagedQueryModel::KeyOf(const Row &row) const
{
    QVariantList key;
    if (!m_keyset)
        return key;
    for (int i = m_visibleColumns; i < row.size(); ++i)
        key << row.at(i);
    return key;
}
