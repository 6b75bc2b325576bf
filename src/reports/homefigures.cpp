#include "homefigures.h"
#include "sqlutil.h"

#include "dbmanager.h"
#include "managementreports.h"
#include "settingkeys.h"

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
    shop.companyName = Setting::Read(*settings, Setting::CompanyName).toString();
    if (shop.companyName.isEmpty())
        shop.companyName = QStringLiteral("Please set from Settings dialog.");
    shop.currencySymbol = Setting::Read(*settings, Setting::CurrencySymbol).toString();
    if (shop.currencySymbol.isEmpty())
        shop.currencySymbol = QStringLiteral("NOT SET");
    shop.taxRate = Setting::Read(*settings, Setting::HomeTaxRateA).toString();
    if (shop.taxRate.isEmpty())
        shop.taxRate = QStringLiteral("NOT SET");
    shop.taxRate += QStringLiteral(" %");
    shop.taxName = Setting::Read(*settings, Setting::SalesTaxName).toString();
    if (shop.taxName.isEmpty()) {
        shop.taxName = QStringLiteral("TAX");
        settings->setValue(QStringLiteral("SALES_TAX_NAME"), shop.taxName);
    }
    return shop;
}

QString SingleValue(const QSqlDatabase &db, const QString &sql, const QString &emptyText)
{
    SqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        LogSqlError(query.lastError());
        return NotAvailable();
    }
    const QString value = query.next() ? ManagementReports::NumberText(query.value(0)) : QString();
    return value.isEmpty() ? emptyText : value;
}

} // namespace HomeFigures
