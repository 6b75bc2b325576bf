#include "managedatabases.h"
#include "ui_managedatabases.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "reportparameterdialog.h"
#include "schemaupgradeflow.h"

#include <QMessageBox>
#include <QScroller>
#include <QSettings>
#include <QTreeWidget>

namespace {
const QString kInventoryKey = QStringLiteral("ACTIVE_INVENTORY_DB");
const QString kSalesKey = QStringLiteral("ACTIVE_SALES_DB");

QString ActiveName(const QString &key)
{
    return AppSettings::Instance().Value(key).toString();
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

void ManageDatabases::ShowSchemaChanges()
{
    QTreeWidget *tree = ui->treeSchemaChanges;
    tree->clear();
    const CDBManager &manager = CDBManager::Instance();
    bool blocking = false;
    int pendingTotal = 0;
    const struct
    {
        CDBManager::Kind kind;
        const QString &key;
        const char *title;
    } kinds[] = {{CDBManager::Kind::Inventory, kInventoryKey, QT_TR_NOOP("Inventory database")},
                 {CDBManager::Kind::Sales, kSalesKey, QT_TR_NOOP("Sales database")}};
    for (const auto &kind : kinds) {
        const QString schema = ActiveName(kind.key);
        if (schema.isEmpty())
            continue;
        SchemaUpgrade::Runner runner({manager.HostName(), manager.Port(), manager.UserName(),
                                      manager.Password(), schema},
                                     SchemaUpgrade::BuiltInSteps(kind.kind),
                                     SchemaUpgrade::ProgramVersion());
        const SchemaUpgrade::Status status = runner.Inspect();
        auto *top = new QTreeWidgetItem(tree);
        if (!status.readable) {
            top->setText(0, tr("%1 '%2': cannot be read (%3)").arg(tr(kind.title), schema,
                                                                   status.error));
            top->setFirstColumnSpanned(true);
            continue;
        }
        top->setText(0, tr("%1 '%2': %n step(s) applied", nullptr, status.applied.size())
                            .arg(tr(kind.title), schema)
                        + tr(", %n pending", nullptr, status.pending.size()));
        top->setFirstColumnSpanned(true);
        for (const SchemaUpgrade::AppliedStep &step : status.applied) {
            auto *item = new QTreeWidgetItem(top);
            item->setText(0, QStringLiteral("%1").arg(step.number, 3, 10, QLatin1Char('0')));
            item->setText(1, step.name);
            item->setText(2, step.appliedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            item->setText(3, step.programVersion);
            item->setText(4, QString::number(step.durationMs));
        }
        for (const SchemaUpgrade::Step &step : status.pending) {
            auto *item = new QTreeWidgetItem(top);
            item->setText(0, QStringLiteral("%1").arg(step.number, 3, 10, QLatin1Char('0')));
            item->setText(1, step.name);
            item->setText(2, step.IsBlocking() ? tr("pending: copies tables") : tr("pending"));
        }
        for (const int number : status.unknown) {
            auto *item = new QTreeWidgetItem(top);
            item->setText(0, QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')));
            item->setText(1, tr("made by a newer release"));
        }
        top->setExpanded(!status.pending.isEmpty());
        blocking = blocking || !status.blockingPending.isEmpty();
        pendingTotal += status.pending.size();
    }
    for (int column = 0; column < tree->columnCount(); ++column)
        tree->resizeColumnToContents(column);
    ui->labelSchemaChanges->setText(pendingTotal == 0
                                        ? tr("Both databases are up to date.")
                                        : tr("%n step(s) pending.", nullptr, pendingTotal));
    ui->pushButtonUpgrade->setEnabled(blocking);
}

void ManageDatabases::on_pushButtonUpgrade_clicked()
{
    SchemaUpgradeFlow::Offer(this);
    ShowSchemaChanges();
}

void ManageDatabases::ShowActiveNames()
{
    const QString sales = ActiveName(kSalesKey);
    const QString inventory = ActiveName(kInventoryKey);
    ui->lineEdit->setText(sales.isEmpty() ? tr("No Active Sales Database") : sales);
    ui->lineEditInventoryDB->setText(inventory.isEmpty() ? tr("No Active Inventory Database")
                                                         : inventory);
    ShowSchemaChanges();
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
