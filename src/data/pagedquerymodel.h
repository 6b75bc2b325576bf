#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

class QSqlQuery;

// A read-only table model over a SELECT that fetches its rows a page at a time.
//
// The MySQL driver copies a statement's whole result to the client when it runs, so a list
// of every row would pull the full table before showing anything. This model appends
// ORDER BY and LIMIT to the base statement and asks for the next page only when the view
// scrolls to the end (canFetchMore/fetchMore). Sorting re-runs the statement with a
// different ORDER BY on the server.
//
// A page continues after the sort key and tie-breaker of the row before it (keyset paging),
// so a deep page costs what the first one does. Only a window of pages stays in memory; a
// page dropped from it is fetched again by its neighbour's key when the view needs it.
// JumpToEnd() counts the rows and fetches the last page in reversed order.
//
// The base statement must not carry its own ORDER BY or LIMIT. Its values are bound by
// name (":pattern" → value); the model's own placeholders start with ":qb_". A statement
// with GROUP BY, HAVING, DISTINCT or UNION, or a sort column without an expression, pages
// by OFFSET instead.
class PagedQueryModel final : public QAbstractTableModel {
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
    // Pages kept in memory at most (at least 2); farther ones are dropped and re-fetched.
    void SetResidentPages(int pages) { m_maxResident = qMax(2, pages); }
    int ResidentPages() const;

    // ORDER BY expression per column; a column without one (or an empty one) sorts by its
    // position in the select list. An expression may list several comma-separated parts.
    void SetSortExpressions(const QStringList &expressions) { m_sortExpressions = expressions; }
    // Appended to every ORDER BY in the sort's direction, so that equal sort keys still page
    // in a stable order (normally the primary key). Also the order when no column is sorted.
    void SetTieBreaker(const QString &expression) { m_tieBreaker = expression; }
    // Columns whose sort expression is unique by itself: no tie-breaker follows them, so an
    // index on the column alone serves the order.
    void SetUniqueColumns(const QList<int> &columns);
    // Columns sorted by an expression on a joined table: a page is first bounded by the value
    // its last row will have, found by walking that expression's own index, so that the server
    // sorts a page's worth of rows, not the whole join. Only for expressions that are never
    // NULL (a joined row that every row has by foreign key): a NULL row could be left out.
    void SetBoundedColumns(const QList<int> &columns);
    // Bounded columns whose own table alone carries the statement's filter (a search on the
    // product's name, for the product's columns). The walk then reads that table's index and
    // skips what fails the filter without touching the other rows, so it goes to the end of
    // the index where it must: matches that all lie far along the order are still found.
    // Belongs to the statement: set it again before each SetQuery().
    void SetWalkedFilterColumns(const QList<int> &columns);
    // Whether the page fetched last was bounded ahead, for tests and the log.
    bool LastPageBounded() const { return m_lastPageBounded; }
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    // Counts the rows and fetches the last page, so that the view can show the end at once.
    bool JumpToEnd();

    // The row as a record (field names from the statement), empty when out of range.
    QSqlRecord record(int row) const;
    // The field names without values.
    QSqlRecord record() const { return m_record; }
    QSqlError lastError() const { return m_lastError; }
    // Every row is known when true (canFetchMore() is then false).
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

    // The full statement of the first page, for the log and for tests.
    QString PageStatement() const;

private:
    Q_DISABLE_COPY(PagedQueryModel)
    using Row = QVector<QVariant>;
    struct KeyPart {
        QString expression;
        bool descending = false;
    };
    struct Page {
        QVector<Row> rows;
        QVariantList firstKey; // key of the first and of the last row, kept when dropped
        QVariantList lastKey;
        bool resident = false;
        quint64 lastUse = 0;
    };
    enum class Direction { Forward, Backward };

    bool Reload();
    void PrepareOrder();
    QString OrderBy(bool reversed) const;
    // Fetches up to limit rows after (Forward) or before (Backward) the key, or from the
    // start/end when the key is empty; rows come back in the list's order.
    bool FetchKeyed(Direction direction, const QVariantList &key, int limit, QVector<Row> &rows);
    bool FetchOffset(int offset, int limit, bool reversed, QVector<Row> &rows);
    bool Run(const QString &sql, const QVariantMap &extra, QVector<Row> &rows);
    // Prepares the statement, binds the model's values and the extra ones, and runs it; the
    // error is kept and logged when it fails.
    bool Exec(QSqlQuery &query, const QString &sql, const QVariantMap &extra);
    // The statement with the condition added to its WHERE (or as its WHERE).
    QString FromWhere(const QString &condition) const;
    // The first key part's value limit rows on from the condition's start, or null when fewer
    // rows are left or finding it would cost more than the page.
    QVariant PageBound(const QString &condition, const QVariantMap &values, bool descending,
                       int limit);
    // Both ends of the first key part's values over the next limit rows, found by a walk
    // without a budget; nulls when fewer rows are left.
    QPair<QVariant, QVariant> PageRange(const QString &condition, const QVariantMap &values,
                                        bool descending, int limit);
    QVariantList KeyOf(const Row &row) const;
    void StorePage(int page, QVector<Row> rows);
    bool EnsurePage(int page) const;
    bool LoadPage(int page);
    void DropFarPages(int keep);
    int PageOfRow(int row) const { return row / m_pageSize; }
    int RowsInPage(int page) const;

    QSqlDatabase m_db;
    QString m_select;
    QVariantMap m_bindings;
    int m_pageSize = 256;
    int m_maxResident = 24;
    QStringList m_sortExpressions;
    QString m_tieBreaker;
    QSet<int> m_uniqueColumns;
    QSet<int> m_boundedColumns;
    QSet<int> m_walkedFilterColumns;
    bool m_lastPageBounded = false;
    bool m_boundsUnsupported = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

    // The statement split at its top-level FROM, and whether its WHERE exists; keyset paging
    // only when the statement's shape allows it.
    QString m_selectList;
    QString m_fromPart;
    bool m_hasWhere = false;
    bool m_keyset = false;
    QVector<KeyPart> m_keyParts;

    QSqlRecord m_record;
    int m_visibleColumns = 0;
    QVector<Page> m_pages;
    int m_rowCount = 0;
    quint64 m_useCounter = 0;
    QHash<int, QVariant> m_headers;
    QSqlError m_lastError;
    bool m_atEnd = true;
    bool m_fetching = false;
};
