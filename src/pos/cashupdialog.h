#pragma once

#include "cashup.h"
#include "quillboxdialog.h"

class QTableWidgetItem;

#include <memory>

namespace Ui { class CashUpDialog; }

// The cash-up screen: the figures of a cashier's (or every cashier's) shift or day, the counted
// cash and its difference, closing and printing, and the past cash-ups to reprint. From the
// sale screen it serves the logged-in cashier's own drawer only.
class CashUpDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit CashUpDialog(QWidget *parent = nullptr, bool ownDrawer = false);
    ~CashUpDialog() override;

    const CashUp::Period &CurrentPeriod() const { return m_period; }
    const CashUp::Figures &CurrentFigures() const { return m_figures; }
    // The denominations as counted on the screen; empty when the cash was typed as one amount.
    QVector<CashCount::Count> CurrentCounts() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void Refresh();
    void ShowDifference();
    void on_pushCloseCashUp_clicked();
    void on_pushReprint_clicked();
    void on_pushButtonClose_clicked();
    void on_pushClearCounts_clicked();
    void CountEdited(QTableWidgetItem *item);
    void CountedTyped();

private:
    Q_DISABLE_COPY(CashUpDialog)
    void FillCashiers(bool ownDrawer);
    void LoadPast();
    void ShowStatus(const QString &text);
    void FillDenominations();

    std::unique_ptr<Ui::CashUpDialog> ui;
    CashUp::Period m_period;
    CashUp::Figures m_figures;
    QVector<CashUp::Record> m_past;
    bool m_ownDrawer = false;
    bool m_fillingCounts = false;
};
