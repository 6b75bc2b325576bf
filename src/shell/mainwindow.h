#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui { class MainWindow; }
struct SettingKey;

// The one main window: menus, tool bars, the navigator and a central area that holds one
// screen at a time. The whole start-up dialogue (theme, first start, connection, login) runs
// inside the constructor, in nested modal loops.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    enum class Access { LoggedOut, Full, Sales };
    Access CurrentAccess() const { return m_access; }

    // Export of the stock list and import of product data, from the Inventory and Products menus.
    void InventoryExport(bool forScanner);
    void ImportProductData(bool withCodes);

public slots:
    // Called after every connection attempt of the database manager.
    void UpdateConnectionState(bool inventoryConnected, bool salesConnected);
    // With several servers in the settings, the navigator names the one in use.
    void ShowServer(const QString &address);

    void on_actionLogin_triggered();
    void on_actionLogout_triggered();
    void on_actionExit_triggered();
    void on_actionHome_triggered();
    void on_actionLanuch_POS_triggered();
    void on_pushPointOfSale_clicked();
    void on_pushProductManagement_clicked();
    void on_actionManageProducts_triggered();
    void on_pushInventoryManagement_clicked();
    void on_actionManage_Inventory_triggered();
    void on_actionAdd_New_Batch_triggered();
    void on_actionAbandoned_Baskets_triggered();
    void on_actionAdd_New_Product_triggered();
    void on_pushPurchaseManagement_clicked();
    void on_actionManage_Purchase_triggered();
    void on_actionAdd_New_Purchase_Order_triggered();
    void on_pushSalesManagement_clicked();
    void on_actionManage_Sales_triggered();
    void on_actionCash_Up_triggered();
    void on_actionAudit_Trail_triggered();
    void on_pushReportManagement_clicked();
    void on_actionReports_Management_triggered();
    void on_actionManage_Users_triggered();
    void on_actionManage_Categories_triggered();
    void on_actionManage_Vendors_triggered();
    void on_actionManager_Customers_triggered();
    void on_actionSettings_triggered();
    void on_action_Backup_triggered();
    void on_actionDatabases_triggered();
    void on_actionDatabase_Server_triggered();
    void on_action_Dark_Theme_triggered();
    void on_action_Light_Theme_triggered();
    void on_action_Hide_Navigator_triggered();
    void on_action_Show_Navigator_triggered();
    void on_dockNavigator_visibilityChanged(bool visible);
    void on_dockNavigator_destroyed();
    void on_actionAbout_Quillbox_Pro_triggered();
    void on_actionNormal_Export_triggered();
    void on_actionExport_for_Scanner_triggered();
    void on_actionImport_with_Codes_triggered();
    void on_actionImport_without_Codes_triggered();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ApplyDarkTheme();
    void ApplyLightTheme();
    void ApplyStoredTheme(const SettingKey &theme);
    void ApplyStyleSheet(const QString &resource);
    void StyleLoggedOutArea();
    void EnterLoggedOutState();
    void RunStartupSequence();
    void GrantFullAccess();
    void GrantSalesAccess();
    void ToggleLoginActions();
    void OpenPointOfSale();
    void SetCentralScreen(QWidget *screen);

    Q_DISABLE_COPY(MainWindow)
    std::unique_ptr<Ui::MainWindow> ui;
    bool m_constructed = false;
    Access m_access = Access::LoggedOut;
};
