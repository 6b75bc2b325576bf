#include "managementreports.h"
#include "sqlutil.h"

#include "dbmanager.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QSqlQuery>
#include <QTextDocument>

#include <cmath>
#include <memory>

namespace ManagementReports {

namespace {
const char *kDateFormat = "yyyy-MM-dd";

const QString kInventoryFrom = QStringLiteral(
    "  FROM tblInventory as i, tblProducts as p , tblVendors as v  WHERE i.PRODUCT_ID = p.ID "
    "AND i.VENDOR_ID = v.ID AND ");
// STRAIGHT_JOIN keeps the batches first, so their first page is read in key order instead of
// sorting every match.
const QString kInventoryColumns = QStringLiteral(
    "SELECT STRAIGHT_JOIN p.NAME as PRODUCT, v.NAME as VENDOR, i.BAR_CODE, i.BATCH_NUMBER, i.EXPIRY_DATE, "
    "i.STORAGE_LOCATION, i.QUANTITY ");
} // namespace

namespace {
// Runs a statement over a period; a failure goes to the debug log.
bool ExecForPeriod(QSqlQuery &query, const QString &sql, const Period &period)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        const QVariantMap bindings = PeriodBindings(period);
        for (auto it = bindings.constBegin(); it != bindings.constEnd(); ++it)
            query.bindValue(it.key(), it.value());
        ok = query.exec();
    }
    if (!ok)
        LogSqlError(query.lastError());
    return ok;
}
} // namespace

Period PresetPeriod(Preset preset, const QDate &today)
{
    const int days = preset == Preset::Last7Days ? 7 : 30;
    return {today.addDays(-days), today.addDays(-1)};
}

Period Yesterday(const QDate &today)
{
    return {today.addDays(-1), today.addDays(-1)};
}

QString PeriodCondition()
{
    return QStringLiteral("st.TIME_STAMP >= :period_start AND st.TIME_STAMP < :period_end");
}

QVariantMap PeriodBindings(const Period &period)
{
    return {{QStringLiteral(":period_start"), period.start.toString(QLatin1String(kDateFormat))},
            {QStringLiteral(":period_end"),
             period.end.addDays(1).toString(QLatin1String(kDateFormat))}};
}

bool ParseCount(const QString &text, int *value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return false;
    *value = trimmed.toInt();
    return true;
}

Statement LowStockStatement(int threshold)
{
    return {kInventoryColumns + kInventoryFrom + QStringLiteral("i.QUANTITY < :threshold"),
            {{QStringLiteral(":threshold"), threshold}},
            QCoreApplication::translate("ManagementReports", "ITEMS HAVING STOCK LEVEL LESS THAN (") + QString::number(threshold)
                + QLatin1Char(')')};
}

Statement ExpiringStatement(int days, const QDate &today, const QString &dateExpression)
{
    return {QStringLiteral("SELECT STRAIGHT_JOIN p.NAME as PRODUCT, v.NAME as VENDOR, "
                           "i.BAR_CODE, i.BATCH_NUMBER, ")
                + dateExpression + QStringLiteral(" , i.STORAGE_LOCATION, i.QUANTITY ")
                + kInventoryFrom + QStringLiteral("i.EXPIRY_DATE < :limit_date"),
            {{QStringLiteral(":limit_date"),
              today.addDays(days).toString(QLatin1String(kDateFormat))}},
            QCoreApplication::translate("ManagementReports", "EXPIRING ITEMS IN (%1) DAYS REPORT").arg(days)};
}

Statement OutOfStockStatement()
{
    return {kInventoryColumns + kInventoryFrom + QStringLiteral("i.QUANTITY = 0"),
            {},
            QCoreApplication::translate("ManagementReports", "OUT OF STOCK ITEMS REPORT")};
}

QString SalesTitle(Preset preset)
{
    return preset == Preset::Last7Days ? QCoreApplication::translate("ManagementReports", "SALES & PURCHASE COST REPORT (LAST 7 DAYS)")
                                       : QCoreApplication::translate("ManagementReports", "SALES & PURCHASE COST REPORT (LAST 30 DAYS)");
}

QString RangeTitle(const Period &period, const QString &displayFormat)
{
    return QCoreApplication::translate("ManagementReports", "SALES & PURCHASE COST REPORT FROM ") + period.start.toString(displayFormat)
           + QCoreApplication::translate("ManagementReports", " TO ") + period.end.toString(displayFormat);
}

QString TotalsStatement()
{
    return QStringLiteral("SELECT SUM(SUB_TOTAL) AS 'TOTAL SALES', SUM(DISCOUNT) AS 'TOTAL "
                          "DISCOUNT',  SUM(PURCHASE_SUB_TOTAL) AS 'TOTAL PURCHASE COST' FROM "
                          "tblSalesInvoice as si, tblSalesTransactions as st WHERE ")
           + PeriodCondition() + QStringLiteral(" AND si.TRANSACTION_ID = st.ID");
}

QString NumberText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    if (!isNumber)
        return value.toString();
    // Fifteen digits drop the noise of binary sums (0.1 + 0.2) and keep every cent.
    return QString::number(number, 'g', 15);
}

QString CellText(const QVariant &value, const QString &dateFormat)
{
    if (value.isNull())
        return QString();
    switch (value.type()) {
    case QVariant::Double:
        return QString::number(value.toDouble(), 'f', 2);
    case QVariant::Date:
        return value.toDate().toString(dateFormat);
    case QVariant::DateTime:
        return value.toDateTime().toString(dateFormat + QStringLiteral(" hh:mm:ss"));
    default:
        return value.toString();
    }
}

Totals TotalsFromValues(const QVariant &sales, const QVariant &discount, const QVariant &purchase)
{
    Totals totals;
    totals.sales = NumberText(sales);
    totals.discount = NumberText(discount);
    totals.purchase = NumberText(purchase);
    totals.profit = QString::number(totals.sales.toDouble() - totals.purchase.toDouble(), 'f', 2);
    return totals;
}

bool QueryTotals(const QSqlDatabase &db, const Period &period, Totals *totals, QSqlError *error)
{
    SqlQuery query(db);
    if (!ExecForPeriod(query, TotalsStatement(), period)) {
        *error = query.lastError();
        return false;
    }
    if (query.next())
        *totals = TotalsFromValues(query.value(0), query.value(1), query.value(2));
    else
        *totals = TotalsFromValues(QVariant(), QVariant(), QVariant());
    return true;
}

QString GroupingStatement(Grouping grouping, const QString &dateExpression)
{
    QString key;
    QString group;
    switch (grouping) {
    case Grouping::Product:
        key = group = QStringLiteral("si.PRODUCT_NAME");
        break;
    case Grouping::Customer:
        key = group = QStringLiteral("st.CUSTOMER_ID");
        break;
    case Grouping::User:
        key = group = QStringLiteral("st.USER_ID");
        break;
    case Grouping::Date:
        key = dateExpression;
        group = QStringLiteral("DATE(st.TIME_STAMP)");
        break;
    }
    return QStringLiteral("SELECT ") + key
           + QStringLiteral(", SUM(SUB_TOTAL) AS 'SALES', SUM(DISCOUNT) AS 'DISCOUNT', "
                            "SUM(PURCHASE_SUB_TOTAL) AS 'PURCHASE COST' FROM tblSalesInvoice as "
                            "si JOIN tblSalesTransactions as st ON st.ID = si.TRANSACTION_ID WHERE ")
           + PeriodCondition() + QStringLiteral(" GROUP BY ") + group;
}

QString GroupingOrder()
{
    return QStringLiteral("`SALES` DESC, 1");
}

QString GroupingHeading(Grouping grouping)
{
    switch (grouping) {
    case Grouping::Product:
        return QCoreApplication::translate("ManagementReports", "RESULTS GROUPED BY PRODUCT");
    case Grouping::Customer:
        return QCoreApplication::translate("ManagementReports", "RESULTS GROUPED BY CUSTOMER");
    case Grouping::User:
        return QCoreApplication::translate("ManagementReports", "RESULTS GROUPED BY USER");
    case Grouping::Date:
        return QCoreApplication::translate("ManagementReports", "RESULTS GROUPED BY DATE");
    }
    return QString();
}

namespace {
// The document, or one printed page of it: rows [first, first + count), the heading only on
// the first page; a page's table spans the sheet so that the pages look alike.
QString HtmlPart(const Document &document, int first, int count, bool heading, bool page)
{
    const QString title = document.title.toHtmlEscaped();
    QString html;
    html.reserve(256 + count * 160);
    html += QStringLiteral("<html>\n<head>\n<meta Content=\"Text/html; charset=Windows-1251\">\n");
    html += QStringLiteral("<title>%1</title>\n").arg(title);
    html += QStringLiteral("</head>\n<body bgcolor=#ffffff link=#5000A0>\n");
    if (heading) {
        html += QStringLiteral("<div align=\"right\"><H1>%1</H1></div><BR>").arg(title);
        html += QStringLiteral("<br>") + document.printedAt.toHtmlEscaped()
                + QStringLiteral("<br><br><br>");
        if (document.sales) {
            const QString currency = document.currency.toHtmlEscaped();
            html += QStringLiteral("<h3>") + document.groupingHeading.toHtmlEscaped()
                    + QStringLiteral("</h3>");
            const QList<QPair<QString, QString>> lines = {
                {QCoreApplication::translate("ManagementReports", "Total Sales : "), document.totals.sales},
                {QCoreApplication::translate("ManagementReports", "Total Purchase : "), document.totals.purchase},
                {QCoreApplication::translate("ManagementReports", "Total Profit : "), document.totals.profit},
                {QCoreApplication::translate("ManagementReports", "Total Discount : "), document.totals.discount}};
            for (const auto &line : lines)
                html += QStringLiteral("<br><br>") + line.first + currency
                        + line.second.toHtmlEscaped();
            html += QStringLiteral("<br><br>");
        }
    }
    html += page ? QStringLiteral("<table border=1 cellspacing=0 cellpadding=3 width=100%>\n")
                 : QStringLiteral("<table border=1 cellspacing=0 cellpadding=3>\n");
    html += QStringLiteral("<thead><tr bgcolor=#ffff7f>");
    for (const QString &header : document.headers)
        html += QStringLiteral("<th>") + header.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n");
    for (int r = first; r < first + count; ++r) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : document.rows.at(r)) {
            const QString text = cell.simplified();
            html += QStringLiteral("<td bkcolor=0>")
                    + (text.isEmpty() ? QStringLiteral("&nbsp;") : text.toHtmlEscaped())
                    + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n</body>\n</html>\n");
    return html;
}

} // namespace

QString BuildHtml(const Document &document)
{
    return HtmlPart(document, 0, document.rows.size(), true, false);
}

int PrintDocument(const Document &document, QPrinter *printer)
{
    // One text document per page: a single document of thousands of table rows takes minutes
    // to lay out and paint, pages of a few dozen rows take milliseconds each.
    // Seven columns of stock do not fit across an upright sheet without wrapping every cell.
    if (document.headers.size() > 5)
        printer->setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(printer))
        return -1;
    const QSizeF page = printer->pageRect(QPrinter::DevicePixel).size();
    const auto layout = [&](int first, int count, bool heading) {
        auto text = std::make_unique<QTextDocument>();
        // A printed list reads well a size below the screen's text.
        QFont font = text->defaultFont();
        font.setPointSizeF(8);
        text->setDefaultFont(font);
        text->setHtml(HtmlPart(document, first, count, heading, true));
        text->setTextWidth(page.width());
        return text;
    };
    const int rows = document.rows.size();
    int row = 0;
    int pages = 0;
    int guess = 40;
    do {
        const bool heading = pages == 0;
        const qreal empty = layout(row, 0, heading)->size().height();
        int count = qMin(guess, rows - row);
        std::unique_ptr<QTextDocument> text = layout(row, count, heading);
        const auto rowHeight = [&] {
            return qMax<qreal>(1, (text->size().height() - empty) / qMax(1, count));
        };
        // Fill the page, then give back what overflows it.
        while (row + count < rows && text->size().height() < page.height()) {
            const int more = int((page.height() - text->size().height()) / rowHeight());
            if (more < 1)
                break;
            count = qMin(rows - row, count + more);
            text = layout(row, count, heading);
        }
        while (count > 1 && text->size().height() > page.height()) {
            count -= qMax(1, int(std::ceil((text->size().height() - page.height()) / rowHeight())));
            count = qMax(1, count);
            text = layout(row, count, heading);
        }
        if (pages > 0)
            printer->newPage();
        text->drawContents(&painter);
        row += count;
        ++pages;
        guess = qMax(1, count);
    } while (row < rows);
    painter.end();
    return pages;
}

bool SalesSum(const QSqlDatabase &db, const Period &period, QString *text)
{
    SqlQuery query(db);
    if (!ExecForPeriod(query,
                       QStringLiteral("SELECT SUM(SUB_TOTAL) AS 'TOTAL SALES' FROM "
                                      "tblSalesInvoice as si, tblSalesTransactions as st WHERE ")
                           + PeriodCondition() + QStringLiteral(" AND si.TRANSACTION_ID = st.ID"),
                       period))
        return false;
    const QString value = query.next() ? NumberText(query.value(0)) : QString();
    *text = value.isEmpty() ? QStringLiteral("0") : value;
    return true;
}

} // namespace ManagementReports
