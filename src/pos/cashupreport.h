#pragma once

#include "cashup.h"

#include <QStringList>
#include <QVector>

class QWidget;

// The printed cash-up: laid out by the report engine from its own template and sent to the
// receipt printer, or into the PDF file when receipts print to PDF.
namespace CashUpReport {

// Figure names and amounts, in the order they print.
QVector<QStringList> Rows(const CashUp::Record &record);
QString PeriodText(const CashUp::Period &period);
QString CashierText(const QString &cashier);

// False when nothing was produced.
bool Print(const CashUp::Record &record, QWidget *parent = nullptr);

} // namespace CashUpReport
