#pragma once

#include <QScrollArea>

#include <memory>

namespace Ui { class ReportsManagement; }

// The reports page: stock that is expiring, low or out, and sales over a period.
class ReportsManagement final : public QScrollArea
{
    Q_OBJECT
public:
    explicit ReportsManagement(QWidget *parent = nullptr);
    ~ReportsManagement() override;

private slots:
    void on_buttonInventoryView_clicked();
    void on_buttonSaleView_clicked();

private:
    bool AskCount(const QString &label, int *value);

    Q_DISABLE_COPY(ReportsManagement)
    std::unique_ptr<Ui::ReportsManagement> ui;
};
