#include "homefigures.h"

#include "dbmanager.h"
#include "managementreports.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSqlQuery>

namespace HomeFigures {

QString NotAvailable()
{
    return QCoreApplication::translate("HomeScreen", "NOT AVAILABLE");
}

ShopSettings ReadShopSettings(QSettings *settings)
{
    ShopSettings shop;
    shop.companyName = settings->value(QStringLiteral("REPORT_COMPANY_NAME")).toString();
    if (shop.companyName.isEmpty())
        shop.companyName = QStringLiteral("Please set from Settings dialog.");
    shop.currencySymbol = settings->value(QStringLiteral("CURRENCY_SYMBOL")).toString();
    if (shop.currencySymbol.isEmpty())
        shop.currencySymbol = QStringLiteral("NOT SET");
    shop.taxRate = settings->value(QStringLiteral("SALES_TAX_RATE_A")).toString();
    if (shop.taxRate.isEmpty())
        shop.taxRate = QStringLiteral("NOT SET");
    shop.taxRate += QStringLiteral(" %");
    shop.taxName = settings->value(QStringLiteral("SALES_TAX_NAME")).toString();
    if (shop.taxName.isEmpty()) {
        shop.taxName = QStringLiteral("TAX");
        settings->setValue(QStringLiteral("SALES_TAX_NAME"), shop.taxName);
    }
    return shop;
}

QString SingleValue(const QSqlDatabase &db, const QString &sql, const QString &emptyText)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        LogSqlError(query.lastError());
        return NotAvailable();
    }
    const QString value = query.next() ? ManagementReports::NumberText(query.value(0)) : QString();
    return value.isEmpty() ? emptyText : value;
}

} // namespace HomeFigures
