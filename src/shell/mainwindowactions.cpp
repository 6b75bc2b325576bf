// The main window's menu and navigator actions that open screens and dialogs.
#include "mainwindow.h"
#include "abandonedbaskets.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "addeditproductdialog.h"
#include "addeditpurchaseorder.h"
#include "addnewitemsbatch.h"
#include "auditviewer.h"
#include "backupdialog.h"
#include "cashupdialog.h"
#include "errordialog.h"
#include "homescreen.h"
#include "inventorymanagement.h"
#include "managecategories.h"
#include "managecustomers.h"
#include "managedatabases.h"
#include "manageusers.h"
#include "managevendors.h"
#include "productmanagement.h"
#include "pos.h"
#include "producttransferflow.h"
#include "purchasemanagement.h"
#include "qposdialog.h"
#include "reportsmanagement.h"
#include "salesmanagement.h"
#include "serversettingsdialog.h"
#include "settings.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QTimer>
#include <QtDebug>

void MainWindow::on_actionHome_triggered()
{
    SetCentralScreen(new HomeScreen(this));
}

void MainWindow::OpenPointOfSale()
{
    QPOSDialog dialog(this, true);
    dialog.setModal(true);
    dialog.setWindowTitle(tr("Point of Sale"));
    auto *layout = new QGridLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *pos = new CPOS(&dialog);
    pos->AllowManagerKeys(m_access != Access::Sales);
    layout->addWidget(pos);
    dialog.exec();
    qDebug() << "POS Closed";
    if (m_access != Access::Sales)
        return;
    // A cashier leaving the till is most often handing it over; the window behind it has
    // nothing else for them.
    const auto answer = QMessageBox::question(
        this, tr("Log Out"), tr("The sale screen is closed. Do you want to log out?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // After the till's own event loop has unwound, so that one shift after another does
        // not stack logins inside each other.
        QTimer::singleShot(0, this, &MainWindow::on_actionLogout_triggered);
    }
}

void MainWindow::on_actionLanuch_POS_triggered()
{
    OpenPointOfSale();
}

void MainWindow::on_pushPointOfSale_clicked()
{
    OpenPointOfSale();
}

void MainWindow::on_pushProductManagement_clicked()
{
    on_actionManageProducts_triggered();
}

void MainWindow::on_actionManageProducts_triggered()
{
    SetCentralScreen(new ProductManagement(this));
}

void MainWindow::on_pushInventoryManagement_clicked()
{
    on_actionManage_Inventory_triggered();
}

void MainWindow::on_actionManage_Inventory_triggered()
{
    SetCentralScreen(new InventoryManagement(this));
}

void MainWindow::on_actionAbandoned_Baskets_triggered()
{
    AbandonedBaskets dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAdd_New_Batch_triggered()
{
    CAddNewItemsBatch dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionAdd_New_Product_triggered()
{
    AddEditProductDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_pushPurchaseManagement_clicked()
{
    on_actionManage_Purchase_triggered();
}

void MainWindow::on_actionManage_Purchase_triggered()
{
    SetCentralScreen(new PurchaseManagement(this));
}

void MainWindow::on_actionAdd_New_Purchase_Order_triggered()
{
    AddEditPurchaseOrder dialog(this);
    dialog.exec();
}

void MainWindow::on_pushSalesManagement_clicked()
{
    on_actionManage_Sales_triggered();
}

void MainWindow::on_actionManage_Sales_triggered()
{
    SetCentralScreen(new SalesManagement(this));
}

void MainWindow::on_actionCash_Up_triggered()
{
    CashUpDialog dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAudit_Trail_triggered()
{
    AuditViewer dialog(this);
    dialog.exec();
}

void MainWindow::on_pushReportManagement_clicked()
{
    on_actionReports_Management_triggered();
}

void MainWindow::on_actionReports_Management_triggered()
{
    SetCentralScreen(new ReportsManagement(this));
}

void MainWindow::on_actionManage_Users_triggered()
{
    ManageUsers dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManage_Categories_triggered()
{
    ManageCategories dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManage_Vendors_triggered()
{
    ManageVendors dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManager_Customers_triggered()
{
    ManageCustomers dialog(this, false);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionSettings_triggered()
{
    Settings dialog(this);
    dialog.setModal(true);
    dialog.exec();
    ApplyStoredTheme(Setting::Theme);
}

void MainWindow::on_action_Backup_triggered()
{
    Backupdialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionDatabases_triggered()
{
    ManageDatabases dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionDatabase_Server_triggered()
{
    ServerSettingsDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionAbout_Quillbox_Pro_triggered()
{
    AboutDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::InventoryExport(bool forScanner)
{
    ProductTransferFlow::InventoryExport(this, forScanner);
}

void MainWindow::ImportProductData(bool withCodes)
{
    ProductTransferFlow::ImportProductData(this, withCodes);
}

void MainWindow::on_actionNormal_Export_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_6"), tr("Inventory Export"),
                tr("This is normal data export mode. Inventory data will be exported to CSV text "
                   "file. You can open this file in Excel, or some other program and generate "
                   "barcodes in Excel, Word or your program of choice."),
                this)
        .exec();
    InventoryExport(false);
}

void MainWindow::on_actionExport_for_Scanner_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_7"), tr("Inventory Export"),
                tr("Inventory data will be exported to CSV text file. You can open this file in "
                   "Excel, or some other program and generate barcodes in Excel, Word or your "
                   "program of choice. This function will export barcodes which are compatible "
                   "with barcode scanners."),
                this)
        .exec();
    InventoryExport(true);
}

void MainWindow::on_actionImport_with_Codes_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_8"), tr("Inventory Import"),
                tr("Inventory data will be imported from CSV text file. Data should be in the form "
                   "of\n<product category>,<product name>,<barcode>\n on each line."),
                this)
        .exec();
    ImportProductData(true);
}

void MainWindow::on_actionImport_without_Codes_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_9"), tr("Inventory Import"),
                tr("Inventory data will be imported from CSV text file. Data should be in the form "
                   "of\n<product category>,<product name>\n on each line."),
                this)
        .exec();
    ImportProductData(false);
}
