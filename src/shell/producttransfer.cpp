#include "producttransfer.h"

#include "cataloguerules.h"
#include "dbmanager.h"
#include "productcsv.h"
#include "sqlutil.h"
#include "transactionreplay.h"

#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>
#include <QSqlError>
#include <QTextStream>
#include <QThread>
#include <QVariant>

#include <algorithm>

namespace ProductTransfer {

namespace {
constexpr int kDataTooLong = 1406;
constexpr int kExportRowsPerBatch = 2000;
constexpr int kReportedLines = 20;

bool IsFatal(int code)
{
    // After these the transaction is gone (or, after a lock wait, a line would be refused that
    // is fine); going on would report every further line as refused.
    return code == MariaDbError::ServerGone || code == MariaDbError::ServerLost
           || code == MariaDbError::Deadlock || code == MariaDbError::LockWaitTimeout;
}
} // namespace

namespace {
QString BatchInsertSql(int rows)
{
    QString sql = QStringLiteral(
        "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) VALUES ");
    for (int i = 0; i < rows; ++i)
        sql += i == 0 ? QStringLiteral("(?, ?, ?, 1)") : QStringLiteral(", (?, ?, ?, 1)");
    return sql;
}
} // namespace

ProductImporter::ProductImporter(const QSqlDatabase &db, bool withCodes)
    : m_db(db)
    , m_withCodes(withCodes)
    , m_temporaryPrefix(QStringLiteral("%1-%2-")
                            .arg(QLatin1String(Catalogue::AutoCodePlaceholder))
                            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')))
    , m_findCategory(db)
    , m_addCategory(db)
    , m_addProduct(db)
    , m_setCode(db)
    , m_removeProduct(db)
    , m_addBatch(db)
    , m_setBatchCodes(db)
    , m_removeBatch(db)
{
    m_findCategory.prepare(
        QStringLiteral("SELECT ID from tblProductCategories WHERE NAME = :name"));
    m_addCategory.prepare(
        QStringLiteral("INSERT INTO tblProductCategories ( NAME ) VALUES (:name)"));
    m_addProduct.prepare(QStringLiteral(
        "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) "
        "VALUES (:category_id, :code, :name, 1)"));
    m_setCode.prepare(QStringLiteral("UPDATE tblProducts SET PRODUCT_CODE = :code WHERE ID = :id"));
    m_removeProduct.prepare(QStringLiteral("DELETE FROM tblProducts WHERE ID = :id"));
    m_addBatch.prepare(BatchInsertSql(LinesPerBatch));
    m_setBatchCodes.prepare(QStringLiteral(
        "UPDATE tblProducts SET PRODUCT_CODE = CAST(ID AS CHAR) WHERE ID >= :first AND "
        "PRODUCT_CODE LIKE :prefix"));
    m_removeBatch.prepare(QStringLiteral(
        "DELETE FROM tblProducts WHERE ID >= :first AND PRODUCT_CODE LIKE :prefix"));
}

QString ProductImporter::TemporaryCode()
{
    return m_temporaryPrefix + QLatin1Char('r') + QString::number(++m_temporaryCount);
}

QString ProductImporter::Refusal(const QSqlQuery &query, const QString &code)
{
    const int number = NativeErrorCode(query.lastError());
    if (IsFatal(number)) {
        m_fatal = true;
        m_fatalError = query.lastError();
    }
    switch (number) {
    case MariaDbError::DuplicateKey:
        return QStringLiteral("product code %1 already exists").arg(code);
    case kDataTooLong:
        return QStringLiteral("a field is longer than the database allows");
    default:
        return QStringLiteral("refused by the database (error %1)").arg(number);
    }
}

bool ProductImporter::CategoryId(const QString &name, int *id, QString *reason)
{
    // The server compares names by its collation (letter case, trailing blanks), so the cache
    // only remembers answers the server gave for exactly this text.
    const auto cached = m_categories.constFind(name);
    if (cached != m_categories.constEnd()) {
        *id = cached.value();
        return true;
    }
    m_findCategory.bindValue(QStringLiteral(":name"), name);
    if (!ExecLogged(m_findCategory)) {
        *reason = Refusal(m_findCategory, QString());
        return false;
    }
    if (m_findCategory.next()) {
        *id = m_findCategory.value(0).toInt();
    } else {
        m_addCategory.bindValue(QStringLiteral(":name"), name);
        if (!ExecLogged(m_addCategory)) {
            *reason = NativeErrorCode(m_addCategory.lastError()) == kDataTooLong
                          ? QStringLiteral("the category name is longer than the database allows")
                          : Refusal(m_addCategory, QString());
            return false;
        }
        *id = m_addCategory.lastInsertId().toInt();
    }
    m_findCategory.finish();
    m_categories.insert(name, *id);
    return true;
}

QString ProductImporter::InsertIntoDB(const QString &category, const QString &name,
                                      const QString &code)
{
    int categoryId = 0;
    QString reason;
    if (!CategoryId(category, &categoryId, &reason))
        return reason;
    return InsertRow(categoryId, name, code);
}

QString ProductImporter::InsertRow(int categoryId, const QString &name, const QString &code)
{
    const bool generate = code.isEmpty();
    const QString stored = generate ? TemporaryCode() : code;
    m_addProduct.bindValue(QStringLiteral(":category_id"), categoryId);
    m_addProduct.bindValue(QStringLiteral(":code"), stored);
    m_addProduct.bindValue(QStringLiteral(":name"), name);
    if (!ExecLogged(m_addProduct))
        return Refusal(m_addProduct, stored);
    if (!generate)
        return QString();

    const QVariant id = m_addProduct.lastInsertId();
    m_setCode.bindValue(QStringLiteral(":code"), id.toString());
    m_setCode.bindValue(QStringLiteral(":id"), id.toInt());
    if (ExecLogged(m_setCode))
        return QString();
    // Another product already carries this number as its code: take the row back out.
    const QString reason = Refusal(m_setCode, id.toString());
    m_removeProduct.bindValue(QStringLiteral(":id"), id.toInt());
    if (!ExecLogged(m_removeProduct))
        Refusal(m_removeProduct, QString()); // a lost transaction ends the import here
    return reason;
}

QString ProductImporter::Check(const QStringList &fields, int *categoryId)
{
    const int expected = m_withCodes ? 3 : 2;
    if (fields.size() != expected)
        return QStringLiteral("%1 fields where %2 are expected").arg(fields.size()).arg(expected);
    if (fields.at(0).isEmpty() || fields.at(1).isEmpty())
        return QStringLiteral("empty category or product name");
    QString reason;
    CategoryId(fields.at(0), categoryId, &reason);
    return reason;
}

bool ProductImporter::InsertBatch()
{
    // One statement for the whole batch; a refused statement changes nothing, so the caller
    // can then go row by row to find the lines at fault.
    SqlQuery other(m_db);
    SqlQuery &insert = m_pending.size() == LinesPerBatch ? m_addBatch : other;
    if (&insert == &other)
        other.prepare(BatchInsertSql(m_pending.size()));
    // Each batch has a prefix of its own: the rows of earlier batches stay in the code index
    // until the import commits, and a search for this batch must not wade through them.
    const QString batchPrefix =
        m_temporaryPrefix + QString::number(++m_batchCount) + QLatin1Char('-');
    bool generated = false;
    int index = 0;
    for (const Row &row : qAsConst(m_pending)) {
        insert.addBindValue(row.categoryId);
        insert.addBindValue(row.code.isEmpty() ? batchPrefix + QString::number(++index) : row.code);
        insert.addBindValue(row.name);
        generated = generated || row.code.isEmpty();
    }
    if (!insert.exec()) {
        // A refused line is expected now and then; the rows are tried one by one next.
        if (IsFatal(NativeErrorCode(insert.lastError())))
            Refusal(insert, QString());
        return false;
    }
    if (!generated)
        return true;
    // The statement's rows got IDs from its first one upwards: only those are looked at.
    const int firstId = insert.lastInsertId().toInt();
    m_setBatchCodes.bindValue(QStringLiteral(":first"), firstId);
    m_removeBatch.bindValue(QStringLiteral(":first"), firstId);
    m_setBatchCodes.bindValue(QStringLiteral(":prefix"), QString(batchPrefix + QLatin1Char('%')));
    if (m_setBatchCodes.exec())
        return true;
    // Some new ID is already another product's code: undo the batch and go row by row.
    if (IsFatal(NativeErrorCode(m_setBatchCodes.lastError())))
        Refusal(m_setBatchCodes, QString());
    m_removeBatch.bindValue(QStringLiteral(":prefix"), QString(batchPrefix + QLatin1Char('%')));
    if (!ExecLogged(m_removeBatch))
        Refusal(m_removeBatch, QString());
    return false;
}

void ProductImporter::Flush(ImportOutcome &outcome)
{
    if (m_pending.isEmpty() || m_fatal)
        return;
    if (InsertBatch()) {
        outcome.imported += m_pending.size();
    } else {
        for (const Row &row : qAsConst(m_pending)) {
            if (m_fatal)
                break;
            const QString reason = InsertRow(row.categoryId, row.name, row.code);
            if (reason.isEmpty())
                ++outcome.imported;
            else
                outcome.skipped.append({row.line, reason});
        }
    }
    m_pending.clear();
}

ImportOutcome ProductImporter::Import(QIODevice &file, const ImportProgress &progress)
{
    // The file is one transaction: when a lock conflict or another node's write gives it up,
    // it is read and written again from its first line, as often as a till's write would be.
    const TxOptions options;
    for (int attempt = 1;; ++attempt) {
        m_fatal = false;
        m_fatalError = QSqlError();
        m_categories.clear(); // the rolled-back try's new categories are gone
        m_pending.clear();
        ClearLoggedSqlError();
        const ImportOutcome outcome = ImportOnce(file, progress);
        const bool conflict = outcome.status == ImportOutcome::Status::Failed
            && IsReplayable(m_fatal ? m_fatalError : LastLoggedSqlError());
        if (!conflict || attempt >= options.tries || file.isSequential() || !file.seek(0))
            return outcome;
        QThread::msleep(QRandomGenerator::global()->bounded(options.backOffMs * attempt) + 1);
    }
}

ImportOutcome ProductImporter::ImportOnce(QIODevice &file, const ImportProgress &progress)
{
    ImportOutcome outcome;
    TransactionGuard transaction(m_db);
    if (!transaction.IsActive()) {
        outcome.status = ImportOutcome::Status::Failed;
        outcome.error = m_db.lastError().text();
        return outcome;
    }

    QTextStream stream(&file);
    ProductCsv::Reader reader;
    const qint64 total = file.size();
    int sinceProgress = 0;
    bool atEnd = false;
    while (!atEnd) {
        const QString chunk = stream.read(64 * 1024);
        if (chunk.isEmpty()) {
            reader.Finish();
            atEnd = true;
        } else {
            reader.Feed(chunk);
        }
        const QVector<ProductCsv::Record> records = reader.TakeRecords();
        for (const ProductCsv::Record &record : records) {
            if (m_fatal)
                break;
            int categoryId = 0;
            const QString reason = record.unclosedQuote
                                       ? QStringLiteral("a quoted field is not closed")
                                       : Check(record.fields, &categoryId);
            if (reason.isEmpty())
                m_pending.append({record.line, categoryId, record.fields.at(1),
                                  m_withCodes ? record.fields.at(2) : QString()});
            else
                outcome.skipped.append({record.line, reason});
            if (++sinceProgress < LinesPerBatch)
                continue;
            sinceProgress = 0;
            Flush(outcome);
            if (m_fatal)
                break;
            if (progress && !progress(file.pos(), total)) {
                outcome.status = ImportOutcome::Status::Cancelled;
                return outcome;
            }
        }
        if (m_fatal)
            break;
    }
    Flush(outcome);
    if (m_fatal) {
        outcome.status = ImportOutcome::Status::Failed;
        outcome.error = m_fatalError.text();
        return outcome;
    }
    std::stable_sort(outcome.skipped.begin(), outcome.skipped.end(),
                     [](const SkippedLine &a, const SkippedLine &b) { return a.line < b.line; });
    if (progress && !progress(total, total)) {
        outcome.status = ImportOutcome::Status::Cancelled;
        return outcome;
    }
    if (!transaction.Commit()) {
        outcome.status = ImportOutcome::Status::Failed;
        outcome.error = m_db.lastError().text();
    }
    return outcome;
}

QString ImportReport(const ImportOutcome &outcome)
{
    switch (outcome.status) {
    case ImportOutcome::Status::Cancelled:
        return QStringLiteral("Import cancelled. No product data was imported.");
    case ImportOutcome::Status::Failed:
        return QStringLiteral("Import failed, no product data was imported:\n%1").arg(outcome.error);
    case ImportOutcome::Status::Done:
        break;
    }
    if (outcome.skipped.isEmpty())
        return QStringLiteral("Product data imported successfully.");
    QString text = QStringLiteral("%1 product(s) imported. %2 line(s) skipped:")
                       .arg(outcome.imported)
                       .arg(outcome.skipped.size());
    for (int i = 0; i < outcome.skipped.size() && i < kReportedLines; ++i) {
        const SkippedLine &skipped = outcome.skipped.at(i);
        text += QStringLiteral("\nLine %1: %2").arg(skipped.line).arg(skipped.reason);
    }
    if (outcome.skipped.size() > kReportedLines)
        text += QStringLiteral("\n... and %1 more.").arg(outcome.skipped.size() - kReportedLines);
    return text;
}

QString ExportFileName(bool forScanner)
{
    return forScanner ? QStringLiteral("inventory_export_for_scanner.csv")
                      : QStringLiteral("inventory_export.csv");
}

ExportResult ExportInventory(const QSqlDatabase &db, const QString &filePath, bool forScanner,
                             const std::function<void()> &perBatch)
{
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return ExportResult::OpenFailed;

    SqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT p.NAME, i.BAR_CODE FROM tblProducts as p, "
                                   "tblInventory as i WHERE i.PRODUCT_ID = p.ID"))) {
        LogSqlError(query.lastError());
        return ExportResult::QueryFailed;
    }

    QTextStream out(&file);
    out << "PRODUCT NAME,BARCODE\n";
    const QString star = QStringLiteral("*");
    int row = 0;
    while (query.next()) {
        const QString barCode = query.value(1).toString();
        out << ProductCsv::FormatLine(
            {query.value(0).toString(), forScanner ? star + barCode + star : barCode})
            << '\n';
        if (perBatch && ++row % kExportRowsPerBatch == 0)
            perBatch();
    }
    out.flush();
    if (out.status() != QTextStream::Ok || !file.flush() || file.error() != QFileDevice::NoError)
        return ExportResult::WriteFailed;
    return ExportResult::Done;
}

} // namespace ProductTransfer
