// quillbox-demo: fills the active inventory and sales databases with a demonstration pharmacy.
//   quillbox-demo [--scale small|large]
// The server comes from the settings (DB_SERVER, DB_PORT, DB_USER, DB_PASSWORD). Active
// databases that are missing or already hold data are never filled: new ones are created with
// the program's own scripts and made active instead, so a real shop is never touched.
#include "appsettings.h"
#include "dbmanager.h"
#include "demoshop.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QApplication>
#include <QSettings>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTextStream>

namespace {
QTextStream &Err()
{
    static QTextStream stream(stderr);
    return stream;
}

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
    QSqlQuery query(manager.GetMySqlDataBase());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM `") + schema
                  + (inventory ? QStringLiteral("`.tblProducts") : QStringLiteral("`.tblSalesTransactions")));
    return query.exec() && query.next() && query.value(0).toInt() == 0;
}
} // namespace

int main(int argc, char *argv[])
{
    // Pictures are drawn, and notes shown, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The database manager may show a busy note while it connects.
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fills the active databases with a demo pharmacy."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("scale"), QStringLiteral("small or large"), QStringLiteral("scale"),
                      QStringLiteral("small")});
    parser.process(app);
    DemoShop::Scale scale;
    if (!DemoShop::ScaleByName(parser.value(QStringLiteral("scale")), &scale)) {
        Err() << "unknown scale: " << parser.value(QStringLiteral("scale")) << " (small or large)\n";
        return 2;
    }

    QSettings *settings = AppSettings::Instance().Settings();
    const QString server = settings->value(QStringLiteral("DB_SERVER")).toString();
    if (server.isEmpty()) {
        Err() << "No database server in the settings; start the program once or use scripts/run.\n";
        return 1;
    }
    CDBManager &manager = CDBManager::Instance();
    manager.SetServerParameters(settings->value(QStringLiteral("DB_USER")).toString(),
                                settings->value(QStringLiteral("DB_PASSWORD")).toString(),
                                settings->value(QStringLiteral("DB_PORT")).toInt(), server);
    if (!manager.GetMySqlDataBase().isOpen()) {
        Err() << "Cannot reach the database server " << server << ".\n";
        return 1;
    }

    QString inventory = settings->value(QStringLiteral("ACTIVE_INVENTORY_DB")).toString();
    if (!IsEmptyShop(CDBManager::Kind::Inventory, inventory)) {
        if (!manager.CreateInventoryDataBase()) {
            Err() << "Could not create an inventory database.\n";
            return 1;
        }
        inventory = settings->value(QStringLiteral("ACTIVE_INVENTORY_DB")).toString();
        Err() << "new inventory database " << inventory << '\n';
    }
    QString sales = settings->value(QStringLiteral("ACTIVE_SALES_DB")).toString();
    if (!IsEmptyShop(CDBManager::Kind::Sales, sales)) {
        if (!manager.CreateSalesDB()) {
            Err() << "Could not create a sales database.\n";
            return 1;
        }
        sales = settings->value(QStringLiteral("ACTIVE_SALES_DB")).toString();
        Err() << "new sales database " << sales << '\n';
    }

    QString images = settings->value(QStringLiteral("IMAGES_FOLDER")).toString();
    if (images.isEmpty()) {
        images = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                 + QStringLiteral("/quillbox/demo-images");
        settings->setValue(QStringLiteral("IMAGES_FOLDER"), images);
    }
    if (!DemoShop::WritePictures(images))
        Err() << "warning: could not write the product pictures into " << images << '\n';

    QElapsedTimer timer;
    timer.start();
    QString error;
    const bool ok = DemoShop::Fill(
        manager.GetInventoryDataBase(), inventory, sales, scale, QDate::currentDate(),
        [&timer](const QString &step, int percent) {
            Err() << QStringLiteral("\r[demo] %1% %2s  %3").arg(percent, 3).arg(timer.elapsed() / 1000, 4).arg(step, -40);
            Err().flush();
        },
        &error);
    Err() << '\n';
    if (!ok) {
        Err() << "The demo shop could not be filled: " << error << '\n';
        return 1;
    }
    // The shop's own settings, where none are set yet.
    const QList<QPair<QString, QString>> shop = {
        {QStringLiteral("REPORT_COMPANY_NAME"), QStringLiteral("Riverside Pharmacy")},
        {QStringLiteral("CURRENCY_SYMBOL"), QStringLiteral("$")},
        {QStringLiteral("SALES_TAX_RATE_A"), QStringLiteral("5")},
        {QStringLiteral("SALES_TAX_NAME"), QStringLiteral("VAT")}};
    for (const auto &entry : shop) {
        if (settings->value(entry.first).toString().isEmpty())
            settings->setValue(entry.first, entry.second);
    }
    settings->sync();
    Err() << "Demo shop ready in " << inventory << " and " << sales << ". Log in as";
    for (const DemoShop::Account &account : DemoShop::Accounts())
        Err() << ' ' << account.login << '/' << account.password << " (" << account.role << ')';
    Err() << ".\n";
    CDBManager::Reset();
    AppSettings::Reset();
    return 0;
}
