#include "managecategories.h"
#include "ui_managecategories.h"

#include "dbmanager.h"
#include "formkeys.h"
#include "listsizing.h"
#include "partystore.h"

#include <QMessageBox>
#include <QScroller>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {
constexpr int IdColumn = 0;
constexpr int NameColumn = 1;
} // namespace

ManageCategories::ManageCategories(QWidget *parent)
    : QuillboxDialog(parent)
    , m_ui(std::make_unique<Ui::ManageCategories>())
{
    m_ui->setupUi(this);

    m_model = new QSqlTableModel(this, CDBManager::Instance().GetInventoryDataBase());
    m_model->setTable(QLatin1String(PartyStore::CategoriesTable));
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
    m_model->setHeaderData(NameColumn, Qt::Horizontal, tr("Product Categories"));
    m_model->setSort(NameColumn, Qt::AscendingOrder);
    m_ui->tableView->setModel(m_model);
    m_ui->tableView->hideColumn(IdColumn);
    ListSizing::FollowContents(m_ui->tableView);
    QScroller::grabGesture(m_ui->tableView->viewport(), QScroller::LeftMouseButtonGesture);

    // Return renames while a category is highlighted, adds otherwise, and never deletes.
    FormKeys::ReturnPresses(this, {m_ui->lineEditName},
                            {m_ui->pushButtonUpdate, m_ui->pushButtonAdd});
    FormKeys::QuietReturn(m_ui->tableView);

    connect(m_ui->tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ManageCategories::OnCategorySelected);
    connect(m_ui->pushButtonUpdate, &QPushButton::clicked, this,
            &ManageCategories::OnPushButtonUpdateClicked);
    connect(m_ui->pushButtonDelete, &QPushButton::clicked, this,
            &ManageCategories::OnPushButtonDeleteClicked);

    Reload();
    m_ui->lineEditName->setFocus();
}

ManageCategories::~ManageCategories() = default;

bool ManageCategories::IsEmptyText() const
{
    QString name = m_ui->lineEditName->text();
    return name.remove(QLatin1Char(' ')).isEmpty();
}

bool ManageCategories::IsSameText()
{
    const int count = PartyStore::CountCategoriesNamed(m_model->database(),
                                                       m_ui->lineEditName->text());
    if (count < 0)
        return true; // cannot tell: better not to write
    if (count == 0)
        return false;
    ShowDuplicate();
    return true;
}

void ManageCategories::OnCategorySelected(const QModelIndex &current, const QModelIndex &)
{
    if (!current.isValid())
        return;
    m_ui->lineEditName->setText(m_model->record(current.row()).value(NameColumn).toString());
    m_ui->pushButtonUpdate->setEnabled(true);
    m_ui->pushButtonDelete->setEnabled(true);
}

void ManageCategories::on_pushButtonAdd_clicked()
{
    if (IsEmptyText() || IsSameText())
        return;
    const PartyStore::Result result = PartyStore::AddCategory(m_model->database(),
                                                              m_ui->lineEditName->text());
    if (result == PartyStore::Result::Duplicate)
        ShowDuplicate(); // another workstation added it since the check
    Reload();
    if (result == PartyStore::Result::Done)
        m_ui->lineEditName->clear();
}

void ManageCategories::OnPushButtonUpdateClicked()
{
    // The name is judged first, so a duplicate is reported even with no row highlighted.
    if (IsEmptyText() || IsSameText())
        return;
    const int id = CurrentId();
    if (id < 0)
        return;
    const PartyStore::Result result = PartyStore::RenameCategory(m_model->database(), id,
                                                                 m_ui->lineEditName->text());
    if (result == PartyStore::Result::Duplicate)
        ShowDuplicate();
    Reload();
    if (result == PartyStore::Result::Done)
        m_ui->lineEditName->clear();
}

void ManageCategories::OnPushButtonDeleteClicked()
{
    const int id = CurrentId();
    if (id < 0)
        return;
    const PartyStore::Result result = PartyStore::DeleteCategory(m_model->database(), id);
    if (result == PartyStore::Result::InUse) {
        QMessageBox::warning(this, tr("Error"),
                             tr("Category can not be deleted because products exist for this "
                                "category in the system"));
        return;
    }
    if (result == PartyStore::Result::Done)
        m_ui->lineEditName->clear();
    Reload();
}

void ManageCategories::on_pushButtonClose_clicked()
{
    close();
}

int ManageCategories::CurrentId() const
{
    const QModelIndex current = m_ui->tableView->selectionModel()->currentIndex();
    if (!current.isValid())
        return -1;
    bool ok = false;
    const int id = m_model->record(current.row()).value(IdColumn).toInt(&ok);
    return ok ? id : -1;
}

void ManageCategories::Reload()
{
    if (!m_model->select())
        LogSqlError(m_model->lastError());
    // Reloading clears the highlight, so there is nothing left to update or delete.
    m_ui->pushButtonUpdate->setEnabled(false);
    m_ui->pushButtonDelete->setEnabled(false);
}

void ManageCategories::ShowDuplicate()
{
    QMessageBox::warning(this, tr("Error"), tr("Category already exists in the system"));
}
