#pragma once

#include <QScrollArea>

#include <memory>

namespace Ui {
class SalesManagement;
}
class PagedQueryModel;
class QModelIndex;

// The sales history: recorded sales, searched by receipt number or by day, the lines of a
// chosen sale, and deletion of a sale with its lines. The embedded form (from the sale screen)
// has a Close button instead of Delete, so sales cannot be deleted while selling.
class SalesManagement final : public QScrollArea {
    Q_OBJECT
public:
    explicit SalesManagement(QWidget *parent = nullptr, bool embedded = false);
    ~SalesManagement() override;

    // The sale screen's sales view: the embedded form in a modal host dialog (parent: the main
    // window when there is one), deleted when it closes.
    static void ShowEmbedded(QWidget *parent = nullptr);

    bool IsEmbedded() const { return m_embedded; }
    PagedQueryModel *SalesModel() const { return m_sales; }
    PagedQueryModel *DetailsModel() const { return m_details; }

public slots:
    void on_buttonShowAll_clicked();
    void OnItemSelected(const QModelIndex &index);
    void on_buttonSearch_clicked();
    void on_pushClose_clicked();
    void on_buttonDelete_clicked();
    void OnRowDoubleClicked(const QModelIndex &index);
    // Prints the chosen sale's receipt again (Ctrl+P); says so when no sale is chosen.
    void ReprintReceipt();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Q_DISABLE_COPY(SalesManagement)
    void ShowSales(const QString &sql, const QVariantMap &bindings);
    bool ShowDetails(const QModelIndex &index);
    void ClearDetails();
    QDate ShownDay() const;

    std::unique_ptr<Ui::SalesManagement> ui;
    PagedQueryModel *m_sales = nullptr;
    PagedQueryModel *m_details = nullptr;
    bool m_embedded = false;
};
