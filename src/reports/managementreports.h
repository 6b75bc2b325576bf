#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

class QPrinter;

// Periods, statements, totals and the printable document of the stock and sales reports,
// without widgets so that the arithmetic and the SQL can be checked on their own.
namespace ManagementReports {

// A run of whole calendar days, both ends included.
struct Period
{
    QDate start;
    QDate end;
};

enum class Preset { Last7Days, Last30Days };

// The days before today; today itself is never part of a preset.
Period PresetPeriod(Preset preset, const QDate &today);
Period Yesterday(const QDate &today);

// The sale-time condition on tblSalesTransactions as "st" and its bound values. A range on the
// raw column keeps the TIME_STAMP index usable; the end bound is the day after the last day.
QString PeriodCondition();
QVariantMap PeriodBindings(const Period &period);

// A statement ready for a query model, with its bound values and the heading it is shown under.
struct Statement
{
    QString sql;
    QVariantMap bindings;
    QString title;
};

// A whole number typed by the user (blanks around it allowed); false for anything else.
bool ParseCount(const QString &text, int *value);

Statement LowStockStatement(int threshold);
// dateExpression: the date display expression for i.EXPIRY_DATE (see AppSettings).
Statement ExpiringStatement(int days, const QDate &today, const QString &dateExpression);
Statement OutOfStockStatement();

QString SalesTitle(Preset preset);
QString RangeTitle(const Period &period, const QString &displayFormat);

// Sums over the period. The texts are empty when the period has no sales (NULL sums).
struct Totals
{
    QString sales;
    QString discount;
    QString purchase;
    QString profit;
};
QString TotalsStatement();
Totals TotalsFromValues(const QVariant &sales, const QVariant &discount, const QVariant &purchase);
// False (with the server's error) when the statement fails.
bool QueryTotals(const QSqlDatabase &db, const Period &period, Totals *totals, QSqlError *error);

enum class Grouping { Product, Customer, User, Date };
// One row per key, its sales, discount and purchase cost; a date groups one calendar day.
// dateExpression: the date display expression for the day (see AppSettings).
QString GroupingStatement(Grouping grouping, const QString &dateExpression);
// Order for the rows of a grouping: largest sales first, then by key so pages stay stable.
QString GroupingOrder();
QString GroupingHeading(Grouping grouping);

// A cell as the report shows it: money with two decimals, dates in the display format.
QString CellText(const QVariant &value, const QString &dateFormat);

// A number from the database as plain text, without binary noise ("6.5", "120"); empty for NULL.
QString NumberText(const QVariant &value);

// What the printed document shows.
struct Document
{
    QString title;
    QString printedAt;
    bool sales = false;
    QString groupingHeading;
    Totals totals;
    QString currency;
    QStringList headers;
    QVector<QStringList> rows;
};
// The HTML of a report; every text from the data is escaped.
QString BuildHtml(const Document &document);
// Prints the report page by page, the table's header on every page; the number of pages, or
// -1 when the printer cannot be opened.
int PrintDocument(const Document &document, QPrinter *printer);

// The sum of the sales lines of a period, as the dashboard shows it: "0" for none.
// False when the statement fails.
bool SalesSum(const QSqlDatabase &db, const Period &period, QString *text);

} // namespace ManagementReports
