#include "itemtransactionsmodel.h"

#include <QUuid>

CItemTransactionsModel::CItemTransactionsModel(QObject *parent)
    : QAbstractTableModel(parent)
    // The blanks belong to the headers: they size the columns.
    , m_header({tr("  Index  "),
                tr("              Product Name                 "),
                tr("     Items     "), tr("     Sub Items     "),
                tr("     Price/Item     "), tr("   Discount     "),
                tr("  Line Total  "), tr("PurchasePrice"),
                tr("PurchaseTotal")})
{
    m_saleKey = QUuid::createUuid().toString(QUuid::WithoutBraces);
}

int CItemTransactionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int CItemTransactionsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_header.size();
}

QVariant CItemTransactionsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= ColumnCount)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::DisplayRole)
        return m_rows.at(index.row()).at(index.column());
    return QVariant();
}

bool CItemTransactionsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() >= m_rows.size()
        || index.column() >= ColumnCount)
        return false;
    m_rows[index.row()][index.column()] = value.toString();
    return true;
}

QVariant CItemTransactionsModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_header.value(section);
    return section;
}

Qt::ItemFlags CItemTransactionsModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index);
}

void CItemTransactionsModel::AppendLine(const QString &productName, const QString &items,
                                        const QString &subItems, const QString &salePrice,
                                        const QString &purchasePrice,
                                        const SaleRules::LineAmounts &amounts, int lineIndex)
{
    using SaleRules::Money;
    const int row = m_rows.size();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append({QString::number(row), productName, items, subItems, salePrice,
                   Money(amounts.discount), Money(amounts.net), purchasePrice,
                   Money(amounts.cost)});
    m_taxes.append(amounts.tax);
    m_amounts.append(amounts);
    if (lineIndex < 0)
        lineIndex = m_nextLineIndex;
    m_lineIndexes.append(lineIndex);
    m_nextLineIndex = qMax(m_nextLineIndex, lineIndex + 1);
    m_totals.Add(amounts);
    endInsertRows();
}

bool CItemTransactionsModel::RemoveLine(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.remove(row);
    m_taxes.remove(row);
    m_amounts.remove(row);
    m_lineIndexes.remove(row);
    // The shown index numbers the invoice lines: keep it gapless.
    for (int i = row; i < m_rows.size(); ++i)
        m_rows[i][IndexColumn] = QString::number(i);
    // Summed again from the lines left, so tax is still rounded once for the sale.
    m_totals = SaleRules::Totals();
    for (const SaleRules::LineAmounts &amounts : qAsConst(m_amounts))
        m_totals.Add(amounts);
    endRemoveRows();
    return true;
}

QString CItemTransactionsModel::Cell(int row, Column column) const
{
    return m_rows.value(row).value(column);
}

void CItemTransactionsModel::MarkPaid(const QString &receiptNumber, const QString &paid,
                                      const QString &change)
{
    m_receiptNumber = receiptNumber;
    m_paid = paid;
    m_change = change;
}
