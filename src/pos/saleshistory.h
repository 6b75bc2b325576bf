#pragma once

#include "cataloguerules.h"
#include "receipt.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The queries of the sales history, kept apart from the screen so they can be run directly.
namespace SalesHistory {

using Catalogue::ListQuery;

// Sales: every column of tblSalesTransactions under its own name.
ListQuery ShowAll();
// By receipt number when one is typed (a text that is no whole number finds nothing), else by
// the day when there is one, else nothing. The day is a range on TIME_STAMP, which its index
// serves.
ListQuery Search(const QString &receiptNumber, const QDate &day);
// ORDER BY expressions by column of the sales list, for header clicks.
QStringList SortExpressions();

// The lines of one sale, every column of tblSalesInvoice.
ListQuery Details(int saleId);
ListQuery NoDetails();

// A recorded sale as its receipt prints it again: the shop from the settings, the sale and its
// lines from the sales database, the change as handed back. False when there is no such sale.
bool ReceiptOf(QSqlDatabase db, int saleId, ReceiptData *receipt);

// Removes the sale's lines, then the sale, in one transaction: both or neither. The server's
// error is left in error when it fails.
bool DeleteSale(QSqlDatabase db, int saleId, QString *error = nullptr);

} // namespace SalesHistory
