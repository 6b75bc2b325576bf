#include "pos.h"
#include "ui_pos.h"

#include "dbmanager.h"
#include "posbutton.h"

#include <QFileInfo>
#include <QLabel>
#include <QSqlRecord>
#include <QSqlTableModel>

// The sale screen's quick-sale panel: pages of buttons for the flagged batches.

namespace {
const char *kRowColours[] = {"#228B22", "#FF7F50", "#6495ED", "#A9A9A9", "#DAA520"};

QString ColourSheet(const char *colour)
{
    return QStringLiteral(" CPosButton { background-color: %1; }").arg(QLatin1String(colour));
}
} // namespace

void CPOS::BuildPanel()
{
    {
        const QSignalBlocker blocker(ui->comboCategory);
        ui->comboCategory->setCurrentIndex(-1);
    }
    m_pageCount = m_currentPage = m_categoryPageCount = m_categoryCurrentPage = 0;
    PosStore::LoadPanelEntries(CDBManager::Instance().GetInventoryDataBase(), &m_allEntries);
    const int pageSize = m_rows * m_columns;
    m_pageCount = SaleRules::PageCount(m_allEntries.size(), pageSize);
    ShowPage(m_allEntries, 0, qMin(int(m_allEntries.size()), pageSize));
    m_currentPage = 1;
    ShowPageLabel();
}

bool CPOS::IsCategoryChosen() const
{
    return ui->comboCategory->currentIndex() != -1;
}

void CPOS::ShowPageLabel()
{
    if (IsCategoryChosen())
        ui->labelFavPages->setText(tr("Category Page %1 of %2 ")
                                       .arg(m_categoryCurrentPage)
                                       .arg(m_categoryPageCount));
    else
        ui->labelFavPages->setText(
            tr("Page %1 of %2 ").arg(m_currentPage).arg(m_pageCount));
}

void CPOS::ShowPage(const QVector<PosStore::PanelEntry> &entries, int first, int count)
{
    QGridLayout *grid = ui->gridPosButtons;
    while (QLayoutItem *item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    grid->update();

    const int pageSize = m_rows * m_columns;
    // Keys reach the panel after the category and before CLOSE.
    QWidget *previous = ui->comboCategory;
    for (int i = 0; i < pageSize; ++i) {
        const int band = i / m_columns;
        const int column = i % m_columns;
        CPosButton *button;
        QLabel *label;
        if (i < count) {
            const PosStore::PanelEntry &entry = entries.at(first + i);
            button = new CPosButton(entry.barCode, QStringLiteral("NO IMAGE"), this);
            label = new QLabel(entry.name, this);
            QString sheet = band < 5 ? ColourSheet(kRowColours[band]) : QString();
            if (!entry.imageFile.isEmpty()) {
                // Only the file name counts: pictures live in this computer's images folder.
                sheet = QStringLiteral("CPosButton {border-image:url(") + m_imagesFolder
                    + QLatin1Char('/')
                    + QFileInfo(
                          QString(entry.imageFile).replace(QLatin1Char('\\'), QLatin1Char('/')))
                          .fileName()
                    + QStringLiteral("); }");
                button->setText(QString());
            }
            sheet += QStringLiteral(" CPosButton:pressed { margin: 5px; }");
            button->setStyleSheet(sheet);
            button->setToolTip(entry.name);
            connect(button, &QPushButton::clicked, this, &CPOS::PosButtonClicked);
            setTabOrder(previous, button);
            previous = button;
        } else {
            button = new CPosButton(QStringLiteral("NOCODE"), QStringLiteral("NO IMAGE"), this);
            button->setEnabled(false);
            label = new QLabel(QStringLiteral("UNUSED"), this);
            if (band < 8)
                button->setStyleSheet(ColourSheet(kRowColours[band % 5]));
        }
        button->setObjectName(QStringLiteral("posButton%1").arg(i));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        label->setAlignment(Qt::AlignHCenter);
        label->setObjectName(QStringLiteral("posLabel%1").arg(i));
        grid->addWidget(button, 2 * band, column);
        grid->addWidget(label, 2 * band + 1, column);
    }
    setTabOrder(previous, ui->pushButtonClose);
}

QStringList CPOS::PanelBarCodes() const
{
    QStringList codes;
    const int pageSize = m_rows * m_columns;
    for (int i = 0; i < pageSize; ++i) {
        if (auto *button = findChild<CPosButton *>(QStringLiteral("posButton%1").arg(i)))
            codes << button->BarCode();
    }
    return codes;
}

void CPOS::PosButtonClicked()
{
    auto *button = qobject_cast<CPosButton *>(sender());
    if (!button)
        return;
    ui->lineEditBarCode->setText(button->BarCode());
    EnterItem();
}

void CPOS::on_comboCategory_currentIndexChanged(int index)
{
    if (index == -1)
        return;
    auto *categories = qobject_cast<QSqlTableModel *>(ui->comboCategory->model());
    const int categoryId = categories->record(index).value(0).toInt();
    m_categoryEntries.clear();
    for (const PosStore::PanelEntry &entry : qAsConst(m_allEntries)) {
        if (entry.categoryId == categoryId)
            m_categoryEntries.append(entry);
    }
    const int pageSize = m_rows * m_columns;
    m_categoryPageCount = SaleRules::PageCount(m_categoryEntries.size(), pageSize);
    ShowPage(m_categoryEntries, 0, qMin(int(m_categoryEntries.size()), pageSize));
    m_categoryCurrentPage = 1;
    ShowPageLabel();
    SetFocusOnBarCode();
}

void CPOS::on_pushFavPages_clicked()
{
    const int pageSize = m_rows * m_columns;
    ShowPage(m_allEntries, 0, qMin(int(m_allEntries.size()), pageSize));
    m_currentPage = 1;
    ui->comboCategory->setCurrentIndex(-1);
    ShowPageLabel();
    SetFocusOnBarCode();
}

void CPOS::on_nextButton_clicked()
{
    const bool category = IsCategoryChosen();
    const auto &entries = category ? m_categoryEntries : m_allEntries;
    int &page = category ? m_categoryCurrentPage : m_currentPage;
    const int pages = category ? m_categoryPageCount : m_pageCount;
    if (page + 1 > pages)
        return;
    const int pageSize = m_rows * m_columns;
    const int first = page * pageSize;
    ShowPage(entries, first, qMin(int(entries.size()) - first, pageSize));
    ++page;
    ShowPageLabel();
}

void CPOS::on_previousButton_clicked()
{
    const bool category = IsCategoryChosen();
    const auto &entries = category ? m_categoryEntries : m_allEntries;
    int &page = category ? m_categoryCurrentPage : m_currentPage;
    const int previous = page - 1;
    if (previous < 1)
        return;
    const int pageSize = m_rows * m_columns;
    ShowPage(entries, (previous - 1) * pageSize, pageSize);
    page = previous;
    ShowPageLabel();
}

