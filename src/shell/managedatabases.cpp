#include "managedatabases.h"
#include "ui_managedatabases.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "reportparameterdialog.h"

#include <QMessageBox>
#include <QScroller>
#include <QSettings>

namespace {
const QString kInventoryKey = QStringLiteral("ACTIVE_INVENTORY_DB");
const QString kSalesKey = QStringLiteral("ACTIVE_SALES_DB");

QString ActiveName(const QString &key)
{
    return AppSettings::Instance().Settings()->value(key).toString();
}
} // namespace

ManageDatabases::ManageDatabases(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ManageDatabases>())
{
    ui->setupUi(this);
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
    ShowActiveNames();
}

ManageDatabases::~ManageDatabases() = default;

void ManageDatabases::ShowActiveNames()
{
    const QString sales = ActiveName(kSalesKey);
    const QString inventory = ActiveName(kInventoryKey);
    ui->lineEdit->setText(sales.isEmpty() ? tr("No Active Sales Database") : sales);
    ui->lineEditInventoryDB->setText(inventory.isEmpty() ? tr("No Active Inventory Database")
                                                         : inventory);
}

void ManageDatabases::on_pushButtonOpenNewRegister_clicked()
{
    CDBManager &manager = CDBManager::Instance();
    manager.GetMySqlDataBase();
    if (!manager.IsServerConnected()) {
        QMessageBox::information(this, tr("Database Error"), tr("Can not connect to MySql Server."));
        return;
    }
    manager.DropSalesDatabase(true);
    if (manager.CreateSalesDB())
        QMessageBox::information(this, tr("Database"), tr("New Sales Database opened successfully"));
    else
        QMessageBox::warning(this, tr("Database Error"),
                             tr("The new Sales Database could not be created. The active "
                                "database is unchanged."));
    ShowActiveNames();
}

void ManageDatabases::on_pushButtonNewInventoryDB_clicked()
{
    CDBManager &manager = CDBManager::Instance();
    manager.GetMySqlDataBase();
    if (!manager.IsServerConnected()) {
        QMessageBox::information(this, tr("Database Error"), tr("Can not connect to MySql Server."));
        return;
    }
    manager.DropInventoryDatabase(true);
    if (manager.CreateInventoryDataBase())
        QMessageBox::information(this, tr("Database"),
                                 tr("New Inventory Database opened successfully"));
    else
        QMessageBox::warning(this, tr("Database Error"),
                             tr("The new Inventory Database could not be created. The active "
                                "database is unchanged."));
    ShowActiveNames();
}

QString ManageDatabases::AskSchemaName(const QString &label)
{
    ReportParameterDialog dialog(this, ReportParameterDialog::Mode::Value);
    dialog.setWindowTitle(tr("Enter Database Name"));
    dialog.SetLabel(label);
    dialog.setModal(true);
    dialog.exec();
    return dialog.GetValue();
}

void ManageDatabases::on_pushSelectDatabase_clicked()
{
    const QString name = AskSchemaName(tr("Inventory Database"));
    CDBManager &manager = CDBManager::Instance();
    if (manager.CheckDatabaseVersion(name, QString::fromLatin1(CDBManager::InventoryTag))) {
        ui->lineEditInventoryDB->setText(name.isEmpty() ? tr("No Active Inventory Database") : name);
        AppSettings::Instance().Settings()->setValue(kInventoryKey, name);
        manager.DropInventoryDatabase();
    } else {
        QMessageBox::information(this, tr("Inventory Database"),
                                 tr("Seems like this is not a valid database for this version. Enter "
                                    "name of the database, and make sure the MySql server is "
                                    "running."));
    }
}

void ManageDatabases::on_pushSelectSalesDB_clicked()
{
    const QString name = AskSchemaName(tr("Sales Database"));
    CDBManager &manager = CDBManager::Instance();
    if (manager.CheckDatabaseVersion(name, QString::fromLatin1(CDBManager::SalesTag))) {
        ui->lineEdit->setText(name.isEmpty() ? tr("No Active Sales Database") : name);
        AppSettings::Instance().Settings()->setValue(kSalesKey, name);
        manager.DropSalesDatabase();
    } else {
        QMessageBox::information(this, tr("Sales Database"),
                                 tr("Seems like this is not a valid database for this version. Enter "
                                    "name of the database, and make sure the MySql server is "
                                    "running."));
    }
}

void ManageDatabases::on_pushButtonClose_clicked()
{
    close();
}
