#include "managecustomers.h"
#include "ui_managecustomers.h"

#include "formkeys.h"
#include "partyeditor.h"
#include "partystore.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QSqlTableModel>
#include <QTableView>

ManageCustomers::ManageCustomers(QWidget *parent, bool selectionMode)
    : QuillboxDialog(parent)
    , m_ui(std::make_unique<Ui::ManageCustomers>())
    , m_selectionMode(selectionMode)
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
    m_editor = std::make_unique<PartyEditor>(PartyStore::CustomersTable, widgets, this);

    m_ui->pushSelect->setVisible(m_selectionMode);
    connect(m_ui->tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ManageCustomers::OnCustomerSelected);
    connect(m_ui->pushButtonUpdate, &QPushButton::clicked, this,
            &ManageCustomers::OnPushButtonUpdateClicked);
    connect(m_ui->pushButtonDelete, &QPushButton::clicked, this,
            &ManageCustomers::OnPushButtonDeleteClicked);
    FormKeys::ReturnPresses(this, {m_ui->lineEditName, m_ui->lineEditEmail, m_ui->lineEditContact},
                            {m_ui->pushButtonUpdate, m_ui->pushButtonAdd});
    if (m_selectionMode) {
        // At the till the keyboard picks: type to narrow the list, arrows to move, Return to
        // take the highlighted customer.
        m_ui->lineEditFilter->installEventFilter(this);
        m_ui->tableView->installEventFilter(this);
        m_ui->lineEditFilter->setFocus();
    } else {
        m_ui->lineEditName->setFocus();
    }
}

void ManageCustomers::HighlightFirst()
{
    QTableView *view = m_ui->tableView;
    if (view->model()->rowCount() > 0)
        view->setCurrentIndex(view->model()->index(0, 1));
}

bool ManageCustomers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QuillboxDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        on_pushSelect_clicked();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_ui->lineEditFilter) {
            // The list moves while the typing stays in the filter.
            QCoreApplication::sendEvent(m_ui->tableView, event);
            return true;
        }
        break;
    default:
        break;
    }
    return QuillboxDialog::eventFilter(watched, event);
}

ManageCustomers::~ManageCustomers() = default;

void ManageCustomers::GetSelectedCustomer(QString &id, QString &name, QString &address,
                                          QString &email, QString &contact) const
{
    if (!m_selected)
        return;
    id = m_selectedId;
    name = m_ui->lineEditName->text();
    address = m_ui->plainTextEditAddress->toPlainText();
    email = m_ui->lineEditEmail->text();
    contact = m_ui->lineEditContact->text();
}

bool ManageCustomers::IsEmptyText() const
{
    return m_editor->IsEmptyText();
}

bool ManageCustomers::IsSameText() const
{
    return false; // two customers may share a name
}

void ManageCustomers::OnCustomerSelected(const QModelIndex &current, const QModelIndex &)
{
    if (!current.isValid())
        return;
    m_editor->ShowRow(current.row());
    m_selectedId = m_editor->RowIdText(current.row());
}

void ManageCustomers::on_pushButtonAdd_clicked()
{
    if (IsEmptyText())
        return;
    m_editor->AddFromFields();
}

void ManageCustomers::OnPushButtonUpdateClicked()
{
    const int row = m_editor->CurrentRow();
    if (IsEmptyText() || row < 0)
        return;
    m_editor->UpdateFromFields(row);
}

void ManageCustomers::OnPushButtonDeleteClicked()
{
    const int id = m_editor->RowId(m_editor->CurrentRow());
    if (id < 0)
        return;
    const PartyStore::Result result = PartyStore::DeleteCustomer(m_editor->Model()->database(), id);
    m_editor->Reload();
    if (result == PartyStore::Result::Done)
        m_editor->ClearFields();
}

void ManageCustomers::on_pushFilter_clicked()
{
    m_editor->ApplyFilter(m_ui->lineEditFilter->text());
}

void ManageCustomers::on_lineEditFilter_textChanged(const QString &text)
{
    m_editor->ApplyFilter(text);
    // What was typed names the customer: the best match is ready for Return. Nothing is
    // highlighted before, so Return on an untouched list picks nobody.
    if (m_selectionMode && !text.isEmpty())
        HighlightFirst();
}

void ManageCustomers::on_pushButtonClose_clicked()
{
    close();
}

void ManageCustomers::on_pushSelect_clicked()
{
    if (!m_selectionMode)
        return;
    const int row = m_editor->CurrentRow();
    // Without a highlighted row there is nobody to pick: the dialog closes and the sale has no
    // customer, rather than an ID left over from an earlier highlight beside other texts.
    if (row >= 0) {
        m_editor->ShowRow(row);
        m_selectedId = m_editor->RowIdText(row);
        m_selected = !m_selectedId.isEmpty();
    }
    accept();
}
