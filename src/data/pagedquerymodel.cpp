#include "pagedquerymodel.h"

#include "dbmanager.h"

#include <QSqlField>
#include <QSqlQuery>

PagedQueryModel::PagedQueryModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

PagedQueryModel::~PagedQueryModel() = default;

bool PagedQueryModel::SetQuery(const QSqlDatabase &db, const QString &select,
                               const QVariantMap &bindings)
{
    m_db = db;
    m_select = select;
    m_bindings = bindings;
    return Reload();
}

bool PagedQueryModel::Refresh()
{
    return Reload();
}

void PagedQueryModel::Clear()
{
    beginResetModel();
    m_select.clear();
    m_bindings.clear();
    m_rows.clear();
    m_record = QSqlRecord();
    m_atEnd = true;
    endResetModel();
}

void PagedQueryModel::SetPageSize(int rows)
{
    m_pageSize = qMax(1, rows);
}

QString PagedQueryModel::PageStatement() const
{
    QStringList order;
    if (m_sortColumn >= 0) {
        QString expression = m_sortExpressions.value(m_sortColumn);
        if (expression.isEmpty())
            expression = QString::number(m_sortColumn + 1);
        order << expression
                     + (m_sortOrder == Qt::AscendingOrder ? QLatin1String(" ASC")
                                                          : QLatin1String(" DESC"));
    }
    if (!m_tieBreaker.isEmpty())
        order << m_tieBreaker;
    QString sql = m_select;
    if (!order.isEmpty())
        sql += QLatin1String(" ORDER BY ") + order.join(QLatin1String(", "));
    sql += QLatin1String(" LIMIT :qb_limit OFFSET :qb_offset");
    return sql;
}

bool PagedQueryModel::FetchPage(int offset, QVector<QVector<QVariant>> &rows)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(PageStatement())) {
        m_lastError = query.lastError();
        LogSqlError(m_lastError);
        return false;
    }
    for (auto it = m_bindings.constBegin(); it != m_bindings.constEnd(); ++it)
        query.bindValue(it.key(), it.value());
    // One row more than a page tells whether another page follows.
    query.bindValue(QStringLiteral(":qb_limit"), m_pageSize + 1);
    query.bindValue(QStringLiteral(":qb_offset"), offset);
    if (!query.exec()) {
        m_lastError = query.lastError();
        LogSqlError(m_lastError);
        return false;
    }
    m_lastError = QSqlError();
    const QSqlRecord fields = query.record();
    if (m_record.isEmpty()) {
        m_record = fields;
        for (int i = 0; i < m_record.count(); ++i)
            m_record.setValue(i, QVariant());
    }
    const int columns = fields.count();
    int fetched = 0;
    while (query.next()) {
        if (fetched == m_pageSize) {
            m_atEnd = false;
            return true;
        }
        QVector<QVariant> row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = query.value(c);
        rows.append(row);
        ++fetched;
    }
    m_atEnd = true;
    return true;
}

bool PagedQueryModel::Reload()
{
    beginResetModel();
    m_rows.clear();
    m_record = QSqlRecord();
    m_atEnd = true;
    bool ok = true;
    if (!m_select.isEmpty())
        ok = FetchPage(0, m_rows);
    endResetModel();
    return ok;
}

QSqlRecord PagedQueryModel::record(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QSqlRecord();
    QSqlRecord result = m_record;
    const QVector<QVariant> &values = m_rows.at(row);
    for (int c = 0; c < values.size() && c < result.count(); ++c)
        result.setValue(c, values.at(c));
    return result;
}

int PagedQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int PagedQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_record.count();
}

QVariant PagedQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (index.row() >= m_rows.size() || index.column() >= m_rows.at(index.row()).size())
        return QVariant();
    return m_rows.at(index.row()).at(index.column());
}

QVariant PagedQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        const auto it = m_headers.constFind(section);
        if (it != m_headers.constEnd())
            return it.value();
        if (section >= 0 && section < m_record.count())
            return m_record.fieldName(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PagedQueryModel::setHeaderData(int section, Qt::Orientation orientation,
                                    const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0
        || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return false;
    }
    m_headers.insert(section, value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool PagedQueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd && !m_select.isEmpty();
}

void PagedQueryModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    QVector<QVector<QVariant>> page;
    if (!FetchPage(m_rows.size(), page)) {
        m_atEnd = true;
        return;
    }
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + page.size() - 1);
    m_rows += page;
    endInsertRows();
}

void PagedQueryModel::sort(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column < 0 ? -1 : column;
    m_sortOrder = order;
    if (m_select.isEmpty())
        return;
    // A different order needs a different first page: start again from the top.
    Reload();
}
