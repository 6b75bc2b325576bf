#include "demosetup.h"
#include "sqlutil.h"

#include "appsettings.h"
#include "dbmanager.h"

#include <QSettings>
#include <QSqlQuery>
#include <QStandardPaths>

namespace {

// True when the schema passes the version check and has no products and no sales.
bool IsEmptyShop(CDBManager::Kind kind, const QString &schema)
{
    CDBManager &manager = CDBManager::Instance();
    const bool inventory = kind == CDBManager::Kind::Inventory;
    if (schema.isEmpty()
        || !manager.CheckDatabaseVersion(schema, QString::fromLatin1(inventory
                                                                         ? CDBManager::InventoryTag
                                                                         : CDBManager::SalesTag)))
        return false;
    SqlQuery query(manager.GetMySqlDataBase());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM `") + schema
                  + (inventory ? QStringLiteral("`.tblProducts") : QStringLiteral("`.tblSalesTransactions")));
    return query.exec() && query.next() && query.value(0).toInt() == 0;
}

// An empty active schema of the kind, made anew when the active one is missing or in use.
bool EmptySchema(CDBManager::Kind kind, QString *schema, QStringList *notes,
                 QString *error)
{
    const bool inventory = kind == CDBManager::Kind::Inventory;
    const QString key = inventory ? QStringLiteral("ACTIVE_INVENTORY_DB") : QStringLiteral("ACTIVE_SALES_DB");
    *schema = AppSettings::Instance().Value(key).toString();
    if (IsEmptyShop(kind, *schema))
        return true;
    CDBManager &manager = CDBManager::Instance();
    if (!(inventory ? manager.CreateInventoryDataBase() : manager.CreateSalesDB())) {
        *error = inventory ? QStringLiteral("Could not create an inventory database.")
                           : QStringLiteral("Could not create a sales database.");
        return false;
    }
    *schema = AppSettings::Instance().Value(key).toString();
    notes->append((inventory ? QStringLiteral("new inventory database ")
                             : QStringLiteral("new sales database ")) + *schema);
    return true;
}

} // namespace

bool DemoShop::SetUpActiveShop(QSettings *settings, const Scale &scale, const ProgressFn &progress,
                               QStringList *notes, QString *error)
{
    const QString server = AppSettings::Instance().Text(Setting::DbServer);
    if (server.isEmpty()) {
        *error = QStringLiteral("No database server in the settings.");
        return false;
    }
    CDBManager &manager = CDBManager::Instance();
    manager.SetServerParameters(AppSettings::Instance().Text(Setting::DbUser),
                                AppSettings::Instance().Text(Setting::DbPassword),
                                AppSettings::Instance().Int(Setting::DbPort), server);
    if (!manager.GetMySqlDataBase().isOpen()) {
        *error = QStringLiteral("Cannot reach the database server ") + server + QLatin1Char('.');
        return false;
    }
    QString inventory;
    QString sales;
    if (!EmptySchema(CDBManager::Kind::Inventory, &inventory, notes, error)
        || !EmptySchema(CDBManager::Kind::Sales, &sales, notes, error))
        return false;

    QString images = AppSettings::Instance().Text(Setting::ImagesFolder);
    if (images.isEmpty()) {
        images = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                 + QStringLiteral("/quillbox/demo-images");
        settings->setValue(QStringLiteral("IMAGES_FOLDER"), images);
    }
    if (!WritePictures(images))
        notes->append(QStringLiteral("warning: could not write the product pictures into ") + images);

    QString fillError;
    if (!Fill(manager.GetInventoryDataBase(), inventory, sales, scale, QDate::currentDate(),
              progress, &fillError)) {
        *error = QStringLiteral("The demo shop could not be filled: ") + fillError;
        return false;
    }
    // The shop's own settings, where none are set yet.
    const QList<QPair<QString, QString>> shop = {
        {QStringLiteral("REPORT_COMPANY_NAME"), QStringLiteral("Riverside Pharmacy")},
        {QStringLiteral("CURRENCY_SYMBOL"), QStringLiteral("$")},
        {QStringLiteral("SALES_TAX_RATE_A"), QStringLiteral("5")},
        {QStringLiteral("SALES_TAX_NAME"), QStringLiteral("VAT")}};
    for (const auto &entry : shop) {
        if (AppSettings::Instance().Value(entry.first).toString().isEmpty())
            settings->setValue(entry.first, entry.second);
    }
    settings->sync();
    QString accounts = QStringLiteral("Demo shop ready in ") + inventory + QStringLiteral(" and ")
                       + sales + QStringLiteral(". Log in as");
    for (const Account &account : Accounts())
        accounts += QStringLiteral(" %1/%2 (%3)").arg(QLatin1String(account.login),
                                                     QLatin1String(account.password),
                                                     QLatin1String(account.role));
    notes->append(accounts + QLatin1Char('.'));
    return true;
}
