// Speed of the purchase order list at 100,000 orders and 1,000,000 lines, and of one order of
// 1,000 lines: open, print to PDF, receive. Run by scripts/bench; not part of the test suite.

#include "benchsupport.h"
#include "testsupport.h"

#include "addeditpurchaseorder.h"
#include "dbmanager.h"
#include "pagedquerymodel.h"
#include "purchasemanagement.h"
#include "purchaserules.h"
#include "purchasestore.h"
#include "reportengine.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

using QuillboxTest::FreshDatabases;

// Takes the PDF the print opens instead of a desktop viewer.
class PdfCatcher final : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl &) { }
};

namespace {

constexpr int Samples = 9;

bool Fill(const QString &schema)
{
    const char *statements[]
        = {"INSERT INTO tblProductCategories (NAME) VALUES ('Medicine')",
           "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, TAX_RATE) "
           "SELECT 1, CONCAT('P', seq), CONCAT('Product ', seq), 1, 16 FROM seq_1_to_1000",
           "INSERT INTO tblVendors (NAME) SELECT CONCAT('Vendor ', seq) FROM seq_1_to_1000",
           "INSERT INTO tblPOrders (VENDOR_ID, STATUS, SENT_DATE, DELIVERY_DATE, SUB_TOTAL, "
           "SALES_TAX, TOTAL, NOTES) SELECT 1 + seq % 1000, ELT(1 + seq % 3, 'DRAFT', 'SENT', "
           "'RECEIVED'), '2024-01-01' + INTERVAL (seq % 700) DAY, '2024-01-08' + INTERVAL (seq % "
           "700) DAY, seq % 997, (seq % 997) * 0.16, (seq % 997) * 1.16, '' FROM seq_1_to_100000",
           "INSERT INTO tblPODetails (PORDER_ID, ITEM_CODE, QUANTITY, ITEM_NAME, UNIT_PRICE, "
           "LINE_TOTAL, SALE_PRICE, BATCH_NUMBER, EXPIRY_DATE, STORAGE_LOCATION) SELECT 1 + "
           "(seq - 1) DIV 10, CONCAT('P', 1 + seq % 1000), 4, 'Product', 2.5, 10, 4, 'L1', "
           "'2030-01-31', 'Shelf' FROM seq_1_to_1000000",
           // The large order: 1,000 lines, one per product.
           "INSERT INTO tblPOrders (VENDOR_ID, STATUS, SENT_DATE, DELIVERY_DATE, SUB_TOTAL, "
           "SALES_TAX, TOTAL, NOTES) VALUES (1, 'SENT', '2026-01-05', '2026-01-09', 10000, 1600, "
           "11600, 'large')",
           "INSERT INTO tblPODetails (PORDER_ID, ITEM_CODE, QUANTITY, ITEM_NAME, UNIT_PRICE, "
           "LINE_TOTAL, SALE_PRICE, BATCH_NUMBER, EXPIRY_DATE, STORAGE_LOCATION) SELECT (SELECT "
           "MAX(ID) FROM tblPOrders), CONCAT('P', seq), 4, CONCAT('Product ', seq), 2.5, 10, 4, "
           "'L1', '2030-01-31', 'Shelf' "
           "FROM seq_1_to_1000",
           "ANALYZE TABLE tblPOrders, tblPODetails, tblVendors"};
    for (const char *sql : statements) {
        QString error;
        if (!FreshDatabases::ExecAdmin(schema, QString::fromLatin1(sql), &error)) {
            qWarning("%s: %s", sql, qPrintable(error));
            return false;
        }
    }
    return true;
}

int LargeOrderId()
{
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    query.exec(QStringLiteral("SELECT MAX(ID) FROM tblPOrders"));
    query.next();
    return query.value(0).toInt();
}

QSqlRecord LargeOrderRow()
{
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    query.exec(Purchasing::OrderListBase() + QStringLiteral(" AND po.ID = %1").arg(LargeOrderId()));
    query.next();
    return query.record();
}

// The purchase order template with a formula and a condition on every field of its data rows.
QString FormulaTemplate(const QTemporaryDir &dir)
{
    QFile shipped(QString::fromLatin1(AddEditPurchaseOrder::PurchaseOrderTemplate));
    shipped.open(QIODevice::ReadOnly);
    QString xml = QString::fromUtf8(shipped.readAll());
    const int start = xml.indexOf(QLatin1String("type=\"MasterData\""));
    const int end = xml.indexOf(QLatin1String("</ReportBand>"), start);
    QString band = xml.mid(start, end - start);
    band.replace(QLatin1String("value=\"[LineTotal]\""),
                 QLatin1String("value=\"&lt;[Qty] * [UnitPrice]&gt;\""));
    band.replace(QLatin1String("printing=\"1\""), QLatin1String("printing=\"[Qty] &gt; 0\""));
    xml.replace(start, end - start, band);
    const QString path = dir.filePath(QStringLiteral("formulas.xml"));
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(xml.toUtf8());
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    QuillboxTest::ResetState();
    FreshDatabases dbs(FreshDatabases::Inventory);
    if (!dbs.IsValid() || !Fill(dbs.InventoryName()))
        return 1;
    PdfCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    const QString list100k = QStringLiteral("purchase list (100,000 orders): ");

    QuillboxBench::Report(list100k + QStringLiteral("open, first rows"),
                          QStringLiteral("<= 300 ms"),
                          QuillboxBench::Time(Samples, [] { PurchaseManagement list; }));

    PurchaseManagement list;
    auto *name = list.findChild<QLineEdit *>(QStringLiteral("editName"));
    auto *status = list.findChild<QLineEdit *>(QStringLiteral("lineStatus"));
    auto *search = list.findChild<QPushButton *>(QStringLiteral("buttonSearch"));
    const auto searchFor = [&](const QString &vendor, const QString &state) {
        return QuillboxBench::Time(Samples, [&] {
            name->setText(vendor);
            status->setText(state);
            search->click();
        });
    };
    QuillboxBench::Report(list100k + QStringLiteral("search by vendor"),
                          QStringLiteral("<= 300 ms"),
                          searchFor(QStringLiteral("Vendor 77"), QString()));
    QuillboxBench::Report(list100k + QStringLiteral("search by status"),
                          QStringLiteral("<= 300 ms"), searchFor(QString(), QStringLiteral("rec")));
    list.findChild<QPushButton *>(QStringLiteral("buttonShowAll"))->click();
    for (const auto &column : {std::make_pair(1, "vendor"), std::make_pair(2, "status"),
                               std::make_pair(3, "sent date"), std::make_pair(7, "total")}) {
        // Each sample is one header click, alternately ascending and descending.
        bool descending = false;
        QuillboxBench::Report(
            list100k + QStringLiteral("sort by %1").arg(QLatin1String(column.second)),
            QStringLiteral("<= 300 ms"), QuillboxBench::Time(Samples, [&] {
                list.Model()->sort(column.first,
                                   descending ? Qt::DescendingOrder : Qt::AscendingOrder);
                descending = !descending;
            }));
    }

    const QSqlRecord row = LargeOrderRow();
    QuillboxBench::Report(QStringLiteral("purchase order (1,000 lines): open with totals"),
                          QStringLiteral("<= 1000 ms"), QuillboxBench::Time(Samples, [&] {
                              AddEditPurchaseOrder dialog(nullptr, row);
                          }));
    {
        AddEditPurchaseOrder dialog(nullptr, row);
        auto *pdf = dialog.findChild<QPushButton *>(QStringLiteral("pushPrintToPDF"));
        QuillboxBench::Report(QStringLiteral("purchase order (1,000 lines): print to PDF"),
                              QStringLiteral("<= 300 ms"),
                              QuillboxBench::Time(Samples, [&] { pdf->click(); }));
        QTemporaryDir dir;
        dialog.SetTemplatePath(FormulaTemplate(dir));
        QuillboxBench::Report(
            QStringLiteral("report engine: 1,000-line order, formula and condition per row, PDF"),
            QStringLiteral("<= 1000 ms"), QuillboxBench::Time(Samples, [&] { pdf->click(); }));
    }

    PurchaseStore::Header header;
    header.vendorId = 1;
    header.status = QString::fromLatin1(Purchasing::Received);
    header.sentDate = header.deliveryDate = QDate::currentDate();
    QuillboxBench::Report(
        QStringLiteral("purchase order (1,000 lines): receive into stock"),
        QStringLiteral("<= 2000 ms"), QuillboxBench::Time(5, [&] {
            int key = LargeOrderId();
            PurchaseStore::ReceiveFailure failure;
            if (!PurchaseStore::ReceiveOrder(CDBManager::Instance().GetInventoryDataBase(), &key,
                                             header, &failure))
                qWarning("receive failed: %s", qPrintable(failure.reason));
        }));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    return 0;
}

#include "bench_purchasing.moc"
