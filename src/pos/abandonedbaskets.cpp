#include "abandonedbaskets.h"

#include "dbmanager.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

AbandonedBaskets::AbandonedBaskets(QWidget *parent)
    : QuillboxDialog(parent)
{
    setWindowTitle(tr("Abandoned Baskets"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("Unpaid baskets older than %n hour(s):", nullptr,
                                  PosStore::AbandonedBasketHours()),
                               this);
    heading->setObjectName(QStringLiteral("labelHeading"));
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("tableBaskets"));
    m_table->setHorizontalHeaderLabels({tr("Till"), tr("Lines"), tr("Last entry")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("labelStatus"));
    m_putBack = new QPushButton(tr("Put back into stock"), this);
    m_putBack->setObjectName(QStringLiteral("pushPutBack"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("pushClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_putBack);
    buttons->addWidget(close);
    layout->addWidget(heading);
    layout->addWidget(m_table);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    connect(m_putBack, &QPushButton::clicked, this, &AbandonedBaskets::OnPutBackClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(640, 400);
    Reload();
}

void AbandonedBaskets::Reload()
{
    if (!PosStore::StaleOpenBaskets(CDBManager::Instance().GetInventoryDataBase(),
                                    PosStore::AbandonedBasketHours(), &m_baskets)) {
        m_baskets.clear();
        m_status->setText(tr("The open baskets could not be read."));
    }
    m_table->setRowCount(m_baskets.size());
    for (int row = 0; row < m_baskets.size(); ++row) {
        const PosStore::OpenBasket &basket = m_baskets.at(row);
        m_table->setItem(row, 0, new QTableWidgetItem(basket.tillId));
        m_table->setItem(row, 1, new QTableWidgetItem(QString::number(basket.lines)));
        m_table->setItem(row, 2, new QTableWidgetItem(
                                     QLocale().toString(basket.lastEntry, QLocale::ShortFormat)));
    }
    m_table->resizeColumnsToContents();
    m_putBack->setEnabled(!m_baskets.isEmpty());
}

void AbandonedBaskets::OnPutBackClicked()
{
    QStringList keys;
    for (const PosStore::OpenBasket &basket : qAsConst(m_baskets))
        keys << basket.basketKey;
    const int count = keys.size();
    if (PosStore::PutBackBaskets(CDBManager::Instance().GetInventoryDataBase(), keys)) {
        Reload();
        m_status->setText(tr("The stock of %n basket(s) is back.", nullptr, count));
    } else {
        m_status->setText(tr("The stock could not be put back. Nothing was changed."));
    }
}
