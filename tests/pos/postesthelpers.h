#pragma once

// Shared by the sale screen's tests and benchmark: seeding batches with chosen prices and
// stock, and a handle on a sale screen's fields that types the way a cashier does.

#include "testsupport.h"

#include "appsettings.h"
#include "pos.h"
#include "qposdialog.h"
#include "seeddata.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>

namespace PosTest {

using QuillboxTest::Seed::Child;
using QuillboxTest::Seed::Value;

struct BatchSeed {
    QString barCode;
    int quantity = 10;
    int subItems = 0;
    QString salePrice = QStringLiteral("25");
    QString purchasePrice = QStringLiteral("20");
    double discount = 0;
    int showOnPos = 1;
};

// A product with one batch; returns the batch ID.
inline int AddSellable(int categoryId, int vendorId, const QString &name, int itemsPerUnit,
                       double taxRate, const BatchSeed &batch, const QString &image = QString())
{
    using QuillboxTest::Seed::Exec;
    const int product
        = Exec(QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, "
                              "NAME, ITEMS_PER_UNIT, TAX_RATE, IMAGE_FILE) VALUES "
                              "(?, ?, ?, ?, ?, ?)"),
               {categoryId, QString(QStringLiteral("P_") + batch.barCode), name, itemsPerUnit,
                taxRate, image.isEmpty() ? QVariant(QVariant::String) : QVariant(image)});
    return Exec(QStringLiteral("INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, "
                               "BATCH_NUMBER, EXPIRY_DATE, PURCHASE_PRICE, SALE_PRICE, QUANTITY, "
                               "SUB_ITEMS, SHOW_ON_POS, DISCOUNT) VALUES (?, ?, ?, 'L1', "
                               "'2030-01-01', ?, ?, ?, ?, ?, ?)"),
                {product, vendorId, batch.barCode, batch.purchasePrice.toDouble(),
                 batch.salePrice.toDouble(), batch.quantity, batch.subItems, batch.showOnPos,
                 batch.discount});
}

// QUANTITY and SUB_ITEMS of a batch, as "q/s".
inline QString Stock(const QString &barCode)
{
    QSqlQuery query(QuillboxTest::Seed::Db());
    query.prepare(
        QStringLiteral("SELECT QUANTITY, SUB_ITEMS FROM tblInventory WHERE BAR_CODE = ?"));
    query.addBindValue(barCode);
    if (!query.exec() || !query.next())
        return QStringLiteral("none");
    return query.value(0).toString() + QLatin1Char('/') + query.value(1).toString();
}

inline QVariant SalesValue(const QString &sql)
{
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    if (!query.exec(sql) || !query.next())
        return QVariant();
    return query.value(0);
}

// The fields of one sale screen.
struct Till {
    explicit Till(CPOS &pos)
        : pos(pos)
        , barCode(Child<QLineEdit>(&pos, "lineEditBarCode"))
        , items(Child<QLineEdit>(&pos, "lineEditItems"))
        , subItems(Child<QLineEdit>(&pos, "lineEditSubItems"))
        , discount(Child<QLineEdit>(&pos, "lineEditDiscount"))
        , total(Child<QLineEdit>(&pos, "lineEditTotal"))
        , tax(Child<QLineEdit>(&pos, "lineEditTax"))
        , paid(Child<QLineEdit>(&pos, "lineEditPaid"))
        , change(Child<QLineEdit>(&pos, "lineEditChange"))
        , status(Child<QLabel>(&pos, "labelStatus"))
        , pages(Child<QLabel>(&pos, "labelFavPages"))
        , pay(Child<QPushButton>(&pos, "pushButtonPay"))
        , returnMode(Child<QPushButton>(&pos, "checkReturnMode"))
        , customers(Child<QPushButton>(&pos, "pushCustomers"))
        , special(Child<QCheckBox>(&pos, "checkSpecialDiscount"))
        , onAll(Child<QCheckBox>(&pos, "checkOnAllItems"))
        , category(Child<QComboBox>(&pos, "comboCategory"))
        , table(Child<QTableView>(&pos, "tableViewItems"))
    {
    }
    // Types a barcode with the quantities and presses Return; the status text after it.
    QString Scan(const QString &code, const QString &qty = QStringLiteral("1"),
                 const QString &sub = QStringLiteral("0"))
    {
        items->setText(qty);
        subItems->setText(sub);
        barCode->setText(code);
        QTest::keyClick(barCode, Qt::Key_Return);
        return status->text();
    }
    QString Pay(const QString &amount)
    {
        paid->setText(amount);
        pay->click();
        return status->text();
    }
    int Lines() const { return pos.Basket()->rowCount(); }

    CPOS &pos;
    QLineEdit *barCode, *items, *subItems, *discount, *total, *tax, *paid, *change;
    QLabel *status, *pages;
    QPushButton *pay, *returnMode, *customers;
    QCheckBox *special, *onAll;
    QComboBox *category;
    QTableView *table;
};

// Types a barcode and presses Return as a scanner does; the milliseconds until the line is in.
inline double TimedScan(Till &till, const QString &code)
{
    QElapsedTimer timer;
    timer.start();
    till.barCode->setText(code);
    QTest::keyClick(till.barCode, Qt::Key_Return);
    return timer.nsecsElapsed() / 1.0e6;
}

// Shortcuts only reach a shown, active window.
inline bool ShowActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// The stylesheet of a theme ("WindowsStyleSheet.txt", "WindowsStyleSheetLight.txt"); empty
// for none or when the file is missing.
inline QString ThemeSheet(const QString &theme)
{
    QFile sheet(QStringLiteral(":/resources/stylesheets/") + theme);
    return !theme.isEmpty() && sheet.open(QIODevice::ReadOnly) ? QString::fromUtf8(sheet.readAll())
                                                                : QString();
}

// The till as the program hosts it: alone, edge to edge, in a dialog of its own.
inline CPOS *HostTill(QPOSDialog &host)
{
    auto *layout = new QGridLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *pos = new CPOS(&host);
    layout->addWidget(pos);
    return pos;
}

// Settings the sale screen reads when it is built.
inline void SetTillSettings(bool subItemsMode, bool tax = true, int rows = 4, int columns = 4)
{
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("SUB_ITEMS_MODE"), subItemsMode ? "y" : "n");
    settings->setValue(QStringLiteral("enable_tax"), tax);
    settings->setValue(QStringLiteral("POS_ROWS"), rows);
    settings->setValue(QStringLiteral("POS_COLUMNS"), columns);
    // Notes the till shows once stay quiet in tests that do not look for them.
}

} // namespace PosTest
