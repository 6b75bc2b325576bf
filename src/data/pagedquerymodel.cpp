#include "pagedquerymodel.h"
#include "sqlutil.h"

#include "dbmanager.h"

#include <QSqlField>
#include <QSqlQuery>

#include <algorithm>

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
    m_pages.clear();
    m_rowCount = 0;
    m_record = QSqlRecord();
    m_visibleColumns = 0;
    m_atEnd = true;
    endResetModel();
}

void PagedQueryModel::SetPageSize(int rows)
{
    rows = qMax(1, rows);
    if (rows == m_pageSize)
        return;
    m_pageSize = rows;
    // Rows held were placed by the old size: read them again from the first page.
    if (!m_select.isEmpty())
        Reload();
}

void PagedQueryModel::SetUniqueColumns(const QList<int> &columns)
{
    m_uniqueColumns = QSet<int>(columns.begin(), columns.end());
}

void PagedQueryModel::SetBoundedColumns(const QList<int> &columns)
{
    m_boundedColumns = QSet<int>(columns.begin(), columns.end());
}

void PagedQueryModel::SetWalkedFilterColumns(const QList<int> &columns)
{
    m_walkedFilterColumns = QSet<int>(columns.begin(), columns.end());
}

int PagedQueryModel::ResidentPages() const
{
    return int(std::count_if(m_pages.cbegin(), m_pages.cend(),
                             [](const Page &page) { return page.resident; }));
}

int PagedQueryModel::RowsInPage(int page) const
{
    return qMax(0, qMin(m_pageSize, m_rowCount - page * m_pageSize));
}

void PagedQueryModel::StorePage(int page, QVector<Row> rows)
{
    Page &target = m_pages[page];
    if (!rows.isEmpty()) {
        target.firstKey = KeyOf(rows.first());
        target.lastKey = KeyOf(rows.last());
    }
    // Rows deleted meanwhile leave blanks rather than shifting what the view shows.
    rows.resize(RowsInPage(page));
    target.rows = rows;
    target.resident = true;
    target.lastUse = ++m_useCounter;
}

void PagedQueryModel::DropFarPages(int keep)
{
    int resident = ResidentPages();
    while (resident > m_maxResident) {
        int farthest = -1;
        for (int p = 0; p < m_pages.size(); ++p) {
            if (!m_pages.at(p).resident || p == keep)
                continue;
            if (farthest < 0 || qAbs(p - keep) > qAbs(farthest - keep))
                farthest = p;
        }
        if (farthest < 0)
            return;
        m_pages[farthest].rows = QVector<Row>();
        m_pages[farthest].resident = false;
        --resident;
    }
}

bool PagedQueryModel::LoadPage(int page)
{
    const int wanted = RowsInPage(page);
    QVector<Row> rows;
    bool ok = false;
    const int pages = m_pages.size();
    if (m_keyset && page == 0) {
        ok = FetchKeyed(Direction::Forward, {}, wanted, rows);
    } else if (m_keyset && !m_pages.at(page - 1).lastKey.isEmpty()) {
        ok = FetchKeyed(Direction::Forward, m_pages.at(page - 1).lastKey, wanted, rows);
    } else if (m_keyset && page + 1 < pages && !m_pages.at(page + 1).firstKey.isEmpty()) {
        ok = FetchKeyed(Direction::Backward, m_pages.at(page + 1).firstKey, wanted, rows);
    } else if (m_keyset && m_atEnd && page == pages - 1) {
        ok = FetchKeyed(Direction::Backward, {}, wanted, rows);
    } else if (m_atEnd && page > pages / 2) {
        // No neighbour known (the user dragged far): count from the nearer end.
        ok = FetchOffset(m_rowCount - page * m_pageSize - wanted, wanted, true, rows);
    } else {
        ok = FetchOffset(page * m_pageSize, wanted, false, rows);
    }
    if (!ok)
        rows.clear();
    StorePage(page, rows);
    DropFarPages(page);
    return ok;
}

bool PagedQueryModel::EnsurePage(int page) const
{
    if (page < 0 || page >= m_pages.size())
        return false;
    auto *self = const_cast<PagedQueryModel *>(this);
    if (m_pages.at(page).resident) {
        self->m_pages[page].lastUse = ++self->m_useCounter;
        return true;
    }
    self->LoadPage(page);
    return true;
}

bool PagedQueryModel::Reload()
{
    beginResetModel();
    m_pages.clear();
    m_rowCount = 0;
    m_record = QSqlRecord();
    m_visibleColumns = 0;
    m_atEnd = true;
    bool ok = true;
    if (!m_select.isEmpty()) {
        PrepareOrder();
        QVector<Row> rows;
        // One row more than a page tells whether another page follows.
        ok = m_keyset ? FetchKeyed(Direction::Forward, {}, m_pageSize + 1, rows)
                      : FetchOffset(0, m_pageSize + 1, false, rows);
        if (ok && !rows.isEmpty()) {
            m_atEnd = rows.size() <= m_pageSize;
            if (!m_atEnd)
                rows.removeLast();
            m_rowCount = rows.size();
            m_pages.resize(1);
            StorePage(0, rows);
        }
    }
    endResetModel();
    return ok;
}

bool PagedQueryModel::JumpToEnd()
{
    if (m_atEnd || m_select.isEmpty())
        return true;
    // Only the rows' number is needed: the count runs on the statement's own FROM and WHERE
    // (a wrapped statement where its shape needs one).
    const QString sql = m_keyset ? QString(QLatin1String("SELECT COUNT(*) ") + m_fromPart)
                                 : QString(QLatin1String("SELECT COUNT(*) FROM (") + m_select
                                           + QLatin1String(") AS qb_all"));
    QVector<Row> counted;
    if (!Run(sql, {}, counted) || counted.isEmpty())
        return false;
    const int total = counted.first().value(0).toInt();
    if (total <= m_rowCount) {
        m_atEnd = true;
        return true;
    }
    m_fetching = true;
    beginInsertRows(QModelIndex(), m_rowCount, total - 1);
    m_rowCount = total;
    m_pages.resize((total + m_pageSize - 1) / m_pageSize);
    m_atEnd = true;
    endInsertRows();
    m_fetching = false;
    return LoadPage(m_pages.size() - 1);
}

QSqlRecord PagedQueryModel::record(int row) const
{
    if (row < 0 || row >= m_rowCount || !EnsurePage(PageOfRow(row)))
        return QSqlRecord();
    QSqlRecord result = m_record;
    const Row &values = m_pages.at(PageOfRow(row)).rows.at(row % m_pageSize);
    for (int c = 0; c < values.size() && c < result.count(); ++c)
        result.setValue(c, values.at(c));
    return result;
}

int PagedQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int PagedQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_record.count();
}

QVariant PagedQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int row = index.row();
    if (row >= m_rowCount || index.column() >= m_visibleColumns || !EnsurePage(PageOfRow(row)))
        return QVariant();
    const Row &values = m_pages.at(PageOfRow(row)).rows.at(row % m_pageSize);
    return index.column() < values.size() ? values.at(index.column()) : QVariant();
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

bool PagedQueryModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                    int role)
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
    // A view or checker may ask again while the rows are being announced.
    if (!canFetchMore(parent) || m_pages.isEmpty() || m_fetching)
        return;
    m_fetching = true;
    // The last page's key outlives its rows, so a dropped page needs no re-fetch here.
    const int page = m_pages.size() - 1;
    QVector<Row> rows;
    const bool ok = m_keyset
        ? FetchKeyed(Direction::Forward, m_pages.at(page).lastKey, m_pageSize + 1, rows)
        : FetchOffset(m_rowCount, m_pageSize + 1, false, rows);
    if (!ok) {
        m_atEnd = true;
        m_fetching = false;
        return;
    }
    m_atEnd = rows.size() <= m_pageSize;
    if (!m_atEnd)
        rows.removeLast();
    if (!rows.isEmpty()) {
        beginInsertRows(QModelIndex(), m_rowCount, m_rowCount + rows.size() - 1);
        m_rowCount += rows.size();
        m_pages.resize(page + 2);
        StorePage(page + 1, rows);
        DropFarPages(page + 1);
        endInsertRows();
    }
    m_fetching = false;
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
