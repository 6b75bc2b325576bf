#pragma once

#include "salerules.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The customer chosen for a sale; all texts empty when none is.
struct SaleCustomer {
    QString id;
    QString name;
    QString address;
    QString email;
    QString contact;
    bool IsSelected() const { return !id.isEmpty(); }
};

// The basket of the sale in progress: one row of texts per line, as shown to the cashier,
// with the sale's totals, customer and, once paid, its receipt number, paid amount and change.
// Receipts and the sales record read a sale through the getters below.
class CItemTransactionsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IndexColumn,
        NameColumn,
        ItemsColumn,
        SubItemsColumn,
        PriceColumn,
        DiscountColumn,
        LineTotalColumn,
        PurchasePriceColumn,
        PurchaseTotalColumn,
        ColumnCount
    };

    explicit CItemTransactionsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Appends a line computed from an entry: cells 0-4 from the texts given, the amounts from
    // the arithmetic; the totals follow.
    // lineIndex is the line's number on the open-basket record; below 0, the next free one.
    void AppendLine(const QString &productName, const QString &items, const QString &subItems,
                    const QString &salePrice, const QString &purchasePrice,
                    const SaleRules::LineAmounts &amounts, int lineIndex = -1);
    // Removes a voided line; the rows below move up and the totals follow. False for no row.
    bool RemoveLine(int row);
    // The open-basket record's number of a line. Numbers are never reused within a basket, so
    // an entry after a void cannot collide with a line still on record.
    int LineIndex(int row) const { return m_lineIndexes.value(row, -1); }
    int NextLineIndex() const { return m_nextLineIndex; }

    // Per line (row from 0), as shown.
    int LineCount() const { return m_rows.size(); }
    QString Cell(int row, Column column) const;
    QStringList Row(int row) const { return m_rows.value(row); }
    QString ProductName(int row) const { return Cell(row, NameColumn); }
    QString Quantity(int row) const { return Cell(row, ItemsColumn); }
    QString SubQuantity(int row) const { return Cell(row, SubItemsColumn); }
    QString Price(int row) const { return Cell(row, PriceColumn); }
    QString Discount(int row) const { return Cell(row, DiscountColumn); }
    QString LineTotal(int row) const { return Cell(row, LineTotalColumn); }
    QString PurchasePrice(int row) const { return Cell(row, PurchasePriceColumn); }
    QString PurchaseTotal(int row) const { return Cell(row, PurchaseTotalColumn); }
    // The tax of a line is not a cell; negative in return mode.
    float Tax(int row) const { return m_taxes.value(row); }

    // The sale as a whole.
    const SaleRules::Totals &Totals() const { return m_totals; }
    float GrandTotal() const { return m_totals.Grand(); }
    float TaxTotal() const { return m_totals.Tax(); }
    float DiscountTotal() const { return m_totals.Discount(); }
    // The sum of the shown line totals.
    float SubTotal() const { return m_totals.SubTotal(); }

    const SaleCustomer &Customer() const { return m_customer; }
    void SetCustomer(const SaleCustomer &customer) { m_customer = customer; }

    // Set once the sale is recorded; empty receipt number before. The change is the money
    // handed back, as shown.
    bool IsPaid() const { return !m_receiptNumber.isEmpty(); }
    QString ReceiptNumber() const { return m_receiptNumber; }
    QString PaidAmount() const { return m_paid; }
    QString Change() const { return m_change; }
    void MarkPaid(const QString &receiptNumber, const QString &paid, const QString &change);

    // Made when the basket starts; its open lines and its sale are recorded under it.
    QString SaleKey() const { return m_saleKey; }
    void SetSaleKey(const QString &key) { m_saleKey = key; }

private:
    QStringList m_header;
    QVector<QStringList> m_rows;
    QVector<float> m_taxes;
    QVector<SaleRules::LineAmounts> m_amounts;
    QVector<int> m_lineIndexes;
    int m_nextLineIndex = 0;
    SaleRules::Totals m_totals;
    SaleCustomer m_customer;
    QString m_receiptNumber;
    QString m_paid;
    QString m_change;
    QString m_saleKey;
};
