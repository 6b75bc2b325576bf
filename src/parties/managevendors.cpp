#include "managevendors.h"
#include "ui_managevendors.h"

#include "formkeys.h"
#include "partyeditor.h"
#include "partystore.h"

#include <QMessageBox>
#include <QSqlTableModel>

ManageVendors::ManageVendors(QWidget *parent)
    : QuillboxDialog(parent)
    , m_ui(std::make_unique<Ui::ManageVendors>())
{
    m_ui->setupUi(this);
    PartyEditor::Widgets widgets;
    widgets.name = m_ui->lineEditName;
    widgets.address = m_ui->plainTextEditAddress;
    widgets.email = m_ui->lineEditEmail;
    widgets.contact = m_ui->lineEditContact;
    widgets.view = m_ui->tableView;
    widgets.update = m_ui->pushButtonUpdate;
    widgets.remove = m_ui->pushButtonDelete;
    m_editor = std::make_unique<PartyEditor>(PartyStore::VendorsTable, widgets, this);

    connect(m_ui->tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ManageVendors::OnVendorSelected);
    connect(m_ui->pushButtonUpdate, &QPushButton::clicked, this,
            &ManageVendors::OnPushButtonUpdateClicked);
    connect(m_ui->pushButtonDelete, &QPushButton::clicked, this,
            &ManageVendors::OnPushButtonDeleteClicked);
    FormKeys::ReturnPresses(this, {m_ui->lineEditName, m_ui->lineEditEmail, m_ui->lineEditContact},
                            {m_ui->pushButtonUpdate, m_ui->pushButtonAdd});
    m_ui->lineEditName->setFocus();
}

ManageVendors::~ManageVendors() = default;

bool ManageVendors::IsEmptyText() const
{
    return m_editor->IsEmptyText();
}

bool ManageVendors::IsSameText() const
{
    return false; // two suppliers may share a name
}

void ManageVendors::OnVendorSelected(const QModelIndex &current, const QModelIndex &)
{
    if (current.isValid())
        m_editor->ShowRow(current.row());
}

void ManageVendors::on_pushButtonAdd_clicked()
{
    if (IsEmptyText())
        return;
    m_editor->AddFromFields();
}

void ManageVendors::OnPushButtonUpdateClicked()
{
    const int row = m_editor->CurrentRow();
    if (IsEmptyText() || row < 0)
        return;
    m_editor->UpdateFromFields(row);
}

void ManageVendors::OnPushButtonDeleteClicked()
{
    const int id = m_editor->RowId(m_editor->CurrentRow());
    if (id < 0)
        return;
    const PartyStore::Result result = PartyStore::DeleteVendor(m_editor->Model()->database(), id);
    if (result == PartyStore::Result::InUse) {
        QMessageBox::warning(this, tr("Error"),
                             tr("Can not delete this vendor as sotck Items exist from this vendor."));
        return;
    }
    m_editor->Reload();
    if (result == PartyStore::Result::Done)
        m_editor->ClearFields();
}

void ManageVendors::on_pushFilter_clicked()
{
    m_editor->ApplyFilter(m_ui->lineEditFilter->text());
}

void ManageVendors::on_lineEditFilter_textChanged(const QString &text)
{
    m_editor->ApplyFilter(text);
}

void ManageVendors::on_pushButtonClose_clicked()
{
    close();
}
