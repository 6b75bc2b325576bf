#pragma once

#include "itemtransactionsmodel.h"
#include "openbaskets.h"
#include "posstore.h"
#include "receipt.h"

#include <QScrollArea>
#include <QVector>

#include <memory>

class QTimer;

namespace Ui {
class CPOS;
}

// The sale screen: basket, item entry, payment, the quick-sale panel and the till's keys.
// It runs alone inside the full-screen QPOSDialog.
class CPOS final : public QScrollArea {
    Q_OBJECT
public:
    enum SaleState { SaleNew = 0, SalePending = 1, SalePaid = 2 };

    explicit CPOS(QWidget *parent = nullptr);
    ~CPOS() override;

    // The basket of the current (or just paid) sale; replaced when a new sale starts.
    CItemTransactionsModel *Basket() const { return m_model; }
    SaleState State() const { return m_state; }
    QString CurrencySymbol() const { return m_currency; }
    QString TaxName() const { return m_taxName; }
    bool IsTaxEnabled() const { return m_taxEnabled; }
    bool IsSubItemsMode() const { return m_subItemsMode; }
    // The panel page now shown, with its batch barcodes ("NOCODE" for fillers).
    QStringList PanelBarCodes() const;

    // Offers the keys only a manager may use (Open Drawer); a cashier's screen has none.
    void AllowManagerKeys(bool allowed);

    // Shows a status message and starts it blinking.
    void ShowStatus(const QString &text);

signals:

public slots:
    void keyPressEvent(QKeyEvent *event) override;
    void on_lineEditBarCode_returnPressed();
    void on_pushPrint_clicked();
    void on_pushButtonPay_clicked();
    void on_pushButtonClose_clicked();
    void OnProductSeleted(QString &image_file);
    void on_pushButtonLookUp_clicked();
    void on_pushEnter_clicked();
    void on_pushNew_clicked();
    void OnStatusWatchDogTimeout();
    void OnBlinkingTimeout();
    void on_pushPrintPreview_clicked();
    void PosButtonClicked();
    void on_comboCategory_currentIndexChanged(int index);
    void on_pushFavPages_clicked();
    void on_nextButton_clicked();
    void on_previousButton_clicked();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void on_checkOnAllItems_pressed();
    void on_checkOnAllItems_toggled(bool checked);
    void on_checkReturnMode_toggled(bool checked);
    void on_pushButton_clicked();
    void on_pushSales_clicked();
    void on_pushCustomers_clicked();
    void on_checkOnAllItems_clicked();
    void SetFocusOnBarCode();
    void on_pushHelpShortCutKeys_clicked();
    // Asks what to do with this till's basket left unpaid when it last stopped.
    void OfferUnfinishedBasket();
    void on_pushOpenDrawer_clicked();
    // Removes the selected basket line (the last one when none is selected) before payment,
    // its stock back on the shelf.
    bool MayVoid();
    void VoidSelectedLine();
    // Asks, then puts every unpaid line back and starts a new basket.
    void VoidSale();

private:
    Q_DISABLE_COPY(CPOS)
    void EnterItem();
    // Empties the status line, or shows that return mode is on.
    void ClearStatus();
    // The chosen customer's name beside the status line, so the cashier sees whom it is for.
    void ShowCustomer();
    void StartNewBasket();
    void ResetTotalFields();
    void ShowTotals();
    void SetUpBasketView();
    void SizeBasketColumns();
    void BuildPanel();
    void ShowPage(const QVector<PosStore::PanelEntry> &entries, int first, int count);
    void ShowPageLabel();
    bool IsCategoryChosen() const;
    ReceiptData CurrentReceipt() const;
    // Says in the status line where the receipt's PDF went, when one was written.
    void ShowWhereReceiptWent(const QString &lastBefore);

    std::unique_ptr<Ui::CPOS> ui;
    CItemTransactionsModel *m_model = nullptr;
    // The basket's captions without their blanks, and a hidden header that measures them.
    class QStandardItemModel *m_captionWords = nullptr;
    class QHeaderView *m_captionRuler = nullptr;
    SaleState m_state = SaleNew;
    bool m_paying = false;
    QString m_tillId;
    QVector<PosStore::OpenBasket> m_unfinished;
    QTimer *m_blinkTimer = nullptr;
    QTimer *m_statusWatchDog = nullptr;

    bool m_taxEnabled = true;
    bool m_subItemsMode = false;
    SaleRules::ExpiryGuard m_expiryGuard = SaleRules::ExpiryGuard::Warn;
    int m_expiryWarnDays = SaleRules::kDefaultExpiryWarnDays;
    QString m_currency;
    QString m_taxName;
    QString m_imagesFolder;
    int m_rows = 4;
    int m_columns = 4;

    QVector<PosStore::PanelEntry> m_allEntries;
    QVector<PosStore::PanelEntry> m_categoryEntries;
    int m_pageCount = 0;
    int m_currentPage = 0;
    int m_categoryPageCount = 0;
    int m_categoryCurrentPage = 0;
};
