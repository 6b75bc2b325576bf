#pragma once

#include <QSqlDatabase>
#include <QString>

class QSettings;

// The figures of the home dashboard, without widgets.
namespace HomeFigures {

struct ShopSettings
{
    QString companyName;
    QString currencySymbol;
    QString taxRate;
    QString taxName;
};
// Reads the shop's settings with their fallbacks; an empty tax name is repaired to "TAX".
ShopSettings ReadShopSettings(QSettings *settings);

// The first value of a one-value statement as text, "NOT AVAILABLE" when it cannot run;
// emptyText stands in for a NULL value.
QString SingleValue(const QSqlDatabase &db, const QString &sql,
                    const QString &emptyText = QString());

QString NotAvailable();

} // namespace HomeFigures
