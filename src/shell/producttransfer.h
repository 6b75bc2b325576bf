#pragma once

#include "sqlutil.h"
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QHash>
#include <QString>
#include <QVector>

#include <functional>

class QIODevice;

// Import of product lists and export of the stock list as comma-separated text, without any
// widget: the main window adds the file pickers, the progress dialog and the messages.
namespace ProductTransfer {

struct SkippedLine
{
    int line = 0;
    QString reason;
};

struct ImportOutcome
{
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Done;
    int imported = 0;
    QVector<SkippedLine> skipped;
    QString error; // why a failed import stopped
};

// Called after each batch of lines with the bytes read so far and the file's size; returning
// false cancels the import.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;

// Creates categories and products from "category,product[,code]" lines. The whole file goes
// in one transaction: a cancelled or failed import leaves the catalogue as it was, while lines
// the database refuses are skipped and reported. A file given up for a lock conflict is read
// again from its start, so it must be seekable to be replayed.
class ProductImporter final
{
public:
    ProductImporter(const QSqlDatabase &db, bool withCodes);

    ImportOutcome Import(QIODevice &file, const ImportProgress &progress = ImportProgress());

    // Adds one product (and its category when missing); an empty code gives the product its new
    // ID as code. Returns an empty text when done, else why the line was refused. Runs inside
    // the caller's transaction.
    QString InsertIntoDB(const QString &category, const QString &name, const QString &code);

    // Lines go to the server in batches of this many rows (one statement each), and progress is
    // reported after each batch.
    static constexpr int LinesPerBatch = 250;

private:
    struct Row
    {
        int line;
        int categoryId;
        QString name;
        QString code; // empty: the new ID becomes the code
    };

    ImportOutcome ImportOnce(QIODevice &file, const ImportProgress &progress);
    QString Check(const QStringList &fields, int *categoryId);
    bool CategoryId(const QString &name, int *id, QString *reason);
    QString InsertRow(int categoryId, const QString &name, const QString &code);
    void Flush(ImportOutcome &outcome);
    bool InsertBatch();
    QString TemporaryCode();
    QString Refusal(const QSqlQuery &query, const QString &code);

    QSqlDatabase m_db;
    bool m_withCodes;
    bool m_fatal = false;
    QSqlError m_fatalError;
    // Rows still waiting for a generated code carry a code unique to this import, so that they
    // never collide with each other or lock out a till adding a product meanwhile.
    QString m_temporaryPrefix;
    int m_temporaryCount = 0;
    int m_batchCount = 0;
    QHash<QString, int> m_categories;
    QVector<Row> m_pending;
    SqlQuery m_findCategory;
    SqlQuery m_addCategory;
    SqlQuery m_addProduct;
    SqlQuery m_setCode;
    SqlQuery m_removeProduct;
    SqlQuery m_addBatch;
    SqlQuery m_setBatchCodes;
    SqlQuery m_removeBatch;
};

// The message that closes an import: the plain success text when every line was imported.
QString ImportReport(const ImportOutcome &outcome);

enum class ExportResult { Done, OpenFailed, QueryFailed, WriteFailed };

// "inventory_export.csv" or "inventory_export_for_scanner.csv".
QString ExportFileName(bool forScanner);

// Writes "PRODUCT NAME,BARCODE" and one line per stock batch to the file (overwritten).
// perBatch runs after every batch of rows so that a caller can keep its window alive.
ExportResult ExportInventory(const QSqlDatabase &db, const QString &filePath, bool forScanner,
                             const std::function<void()> &perBatch = std::function<void()>());

} // namespace ProductTransfer
