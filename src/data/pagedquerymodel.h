#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

// A read-only table model over a SELECT that fetches its rows a page at a time.
//
// The MySQL driver copies a statement's whole result to the client when it runs, so a list
// of every row would pull the full table before showing anything. This model appends
// ORDER BY and LIMIT/OFFSET to the base statement and asks for the next page only when the
// view scrolls to the end (canFetchMore/fetchMore). Sorting re-runs the statement with a
// different ORDER BY on the server.
//
// The base statement must not carry its own ORDER BY or LIMIT. Its values are bound by
// name (":pattern" → value); the model's own placeholders start with ":qb_".
class PagedQueryModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit PagedQueryModel(QObject *parent = nullptr);
    ~PagedQueryModel() override;

    // Sets the statement and runs it from the first page.
    bool SetQuery(const QSqlDatabase &db, const QString &select,
                  const QVariantMap &bindings = QVariantMap());
    // Runs the current statement again from the first page (after writes, for example).
    bool Refresh();
    // Drops the rows and the statement.
    void Clear();

    QString Query() const { return m_select; }
    QVariantMap Bindings() const { return m_bindings; }

    void SetPageSize(int rows);
    int PageSize() const { return m_pageSize; }

    // ORDER BY expression per column; a column without one (or an empty one) sorts by its
    // position in the select list.
    void SetSortExpressions(const QStringList &expressions) { m_sortExpressions = expressions; }
    // Appended to every ORDER BY, so that equal sort keys still page in a stable order
    // (normally the primary key). Also the order when no column is sorted.
    void SetTieBreaker(const QString &expression) { m_tieBreaker = expression; }
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    // The fetched row as a record (field names from the statement), empty when out of range.
    QSqlRecord record(int row) const;
    // The field names without values.
    QSqlRecord record() const { return m_record; }
    QSqlError lastError() const { return m_lastError; }
    // Rows fetched so far; the last page has been fetched when canFetchMore() is false.
    bool AtEnd() const { return m_atEnd; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex &parent = QModelIndex()) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The full statement of one page, for the log and for tests.
    QString PageStatement() const;

private:
    Q_DISABLE_COPY(PagedQueryModel)
    // Runs one page from the given offset into rows; false on a server error.
    bool FetchPage(int offset, QVector<QVector<QVariant>> &rows);
    bool Reload();

    QSqlDatabase m_db;
    QString m_select;
    QVariantMap m_bindings;
    int m_pageSize = 256;
    QStringList m_sortExpressions;
    QString m_tieBreaker;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

    QSqlRecord m_record;
    QVector<QVector<QVariant>> m_rows;
    QHash<int, QVariant> m_headers;
    QSqlError m_lastError;
    bool m_atEnd = true;
};
