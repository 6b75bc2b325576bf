#pragma once

#include <QPointer>
#include <QScrollArea>

#include <functional>
#include <memory>

namespace Ui { class HomeScreen; }
class QMainWindow;

// The start page: quick-access and workflow buttons that call the main window's own actions,
// and an overview of the shop's settings and figures. The figures that need the databases are
// fetched one statement per turn of the event loop, so the window never waits on all of them.
class HomeScreen final : public QScrollArea
{
    Q_OBJECT
public:
    explicit HomeScreen(QMainWindow *mainWindow);
    ~HomeScreen() override;

    // Starts recomputing every figure; RefreshFinished follows once the last one is shown.
    void Refresh();
    bool IsRefreshing() const { return !m_pending.isEmpty() || m_stepScheduled; }

signals:
    void RefreshFinished();

protected:
    void hideEvent(QHideEvent *event) override;

private slots:
    void on_flowAddCategory_clicked();
    void on_flowAddProduct_clicked();
    void on_flowAddVendor_clicked();
    void on_flowAddInventory_clicked();
    void on_flowRunPos_clicked();
    void on_pushAddCategories_clicked();
    void on_pushAddProducts_clicked();
    void on_pushAddInventory_clicked();
    void on_pushPurchaseOrder_clicked();
    void on_pushDatabases_clicked();
    void on_pushSettings_clicked();
    void on_pushBackup_clicked();
    void on_pushVendors_clicked();
    void on_pushUsers_clicked();
    void on_pushCustomers_clicked();

private:
    // Runs a main-window action by its slot name; refreshes afterwards when asked to.
    void CallMainWindow(const char *slot, bool refresh);
    void AddProduct();
    void ScheduleStep();
    void RunNextStep();

    Q_DISABLE_COPY(HomeScreen)
    std::unique_ptr<Ui::HomeScreen> ui;
    QPointer<QMainWindow> m_mainWindow;
    QList<std::function<void()>> m_pending;
    bool m_stepScheduled = false;
};
