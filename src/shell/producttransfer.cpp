#include "producttransfer.h"

#include "cataloguerules.h"
#include "dbmanager.h"
#include "productcsv.h"
#include "sqlutil.h"

#include <QFile>
#include <QIODevice>
#include <QSqlError>
#include <QTextStream>
#include <QVariant>

namespace ProductTransfer {

namespace {
constexpr int kDataTooLong = 1406;
constexpr int kExportRowsPerBatch = 2000;
constexpr int kReportedLines = 20;

bool IsFatal(int code)
{
    // After these the transaction is gone; going on would report every further line as refused.
    return code == MariaDbError::ServerGone || code == MariaDbError::ServerLost
           || code == MariaDbError::Deadlock;
}
} // namespace

ProductImporter::ProductImporter(const QSqlDatabase &db, bool withCodes)
    : m_db(db)
    , m_withCodes(withCodes)
    , m_findCategory(db)
    , m_addCategory(db)
    , m_addProduct(db)
    , m_setCode(db)
    , m_removeProduct(db)
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
}

QString ProductImporter::Refusal(const QSqlQuery &query, const QString &code)
{
    const int number = NativeErrorCode(query.lastError());
    if (IsFatal(number)) {
        m_fatal = true;
        m_fatalError = query.lastError().text();
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

    const bool generate = code.isEmpty();
    const QString stored = generate ? QString::fromLatin1(Catalogue::AutoCodePlaceholder) : code;
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
    // Another product already carries this number as its code: take the placeholder row
    // back out so that it cannot block the next generated code.
    reason = Refusal(m_setCode, id.toString());
    m_removeProduct.bindValue(QStringLiteral(":id"), id.toInt());
    ExecLogged(m_removeProduct);
    return reason;
}

QString ProductImporter::Dispatch(const QStringList &fields)
{
    const int expected = m_withCodes ? 3 : 2;
    if (fields.size() != expected)
        return QStringLiteral("%1 fields where %2 are expected").arg(fields.size()).arg(expected);
    if (fields.at(0).isEmpty() || fields.at(1).isEmpty())
        return QStringLiteral("empty category or product name");
    return InsertIntoDB(fields.at(0), fields.at(1), m_withCodes ? fields.at(2) : QString());
}

ImportOutcome ProductImporter::Import(QIODevice &file, const ImportProgress &progress)
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
            const QString reason = record.unclosedQuote
                                       ? QStringLiteral("a quoted field is not closed")
                                       : Dispatch(record.fields);
            if (m_fatal) {
                outcome.status = ImportOutcome::Status::Failed;
                outcome.error = m_fatalError;
                return outcome;
            }
            if (reason.isEmpty())
                ++outcome.imported;
            else
                outcome.skipped.append({record.line, reason});
            if (++sinceProgress >= LinesPerBatch) {
                sinceProgress = 0;
                if (progress && !progress(file.pos(), total)) {
                    outcome.status = ImportOutcome::Status::Cancelled;
                    return outcome;
                }
            }
        }
    }
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

    QSqlQuery query(db);
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
