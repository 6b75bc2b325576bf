#include "partyeditor.h"

#include "dbmanager.h"
#include "formkeys.h"
#include "listsizing.h"
#include "partystore.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScroller>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
enum Column { Id, Name, Address, Email, Contact };
// The address column's width; longer text would be refused by the server as a whole.
constexpr int AddressLength = 200;

// Shows a multi-line address on its one line of the list, so that sizing the column to its
// contents leaves nothing cut.
class OneLineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        // The base text has its line feeds turned into line separators already.
        static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\n\\x{2028}]\\s*"));
        return QStyledItemDelegate::displayText(value, locale).trimmed().replace(lineBreaks,
                                                                                 QStringLiteral(", "));
    }
};

void LimitLength(QPlainTextEdit *edit, int maxLength)
{
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxLength] {
        const QString text = edit->toPlainText();
        if (text.size() <= maxLength)
            return;
        QTextCursor cursor = edit->textCursor();
        const int position = qMin(cursor.position(), maxLength);
        edit->setPlainText(text.left(maxLength));
        cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
    });
}
} // namespace

PartyEditor::PartyEditor(const char *table, const Widgets &widgets, QObject *modelParent)
    : m_table(table)
    , m_widgets(widgets)
    , m_model(new QSqlTableModel(modelParent, CDBManager::Instance().GetInventoryDataBase()))
{
    m_model->setTable(QLatin1String(table));
    // Only shown here: writes go through bound statements of their own.
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);

    QTableView *view = m_widgets.view;
    view->setModel(m_model);
    view->hideColumn(Id);
    view->setItemDelegateForColumn(Address, new OneLineDelegate(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListSizing::FollowContents(view);
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);
    QScroller::grabGesture(m_widgets.address->viewport(), QScroller::LeftMouseButtonGesture);

    // Return in a field updates the highlighted row, or adds; in the list it does nothing.
    FormKeys::QuietReturn(view);

    m_widgets.name->setMaxLength(50);
    m_widgets.email->setMaxLength(200);
    m_widgets.contact->setMaxLength(50);
    LimitLength(m_widgets.address, AddressLength);

    Reload();
}

bool PartyEditor::IsEmptyText() const
{
    QString name = m_widgets.name->text();
    return name.remove(QLatin1Char(' ')).isEmpty();
}

int PartyEditor::CurrentRow() const
{
    const QModelIndex current = m_widgets.view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int PartyEditor::RowId(int row) const
{
    if (row < 0 || row >= m_model->rowCount())
        return -1;
    bool ok = false;
    const int id = m_model->record(row).value(Id).toInt(&ok);
    return ok ? id : -1;
}

QString PartyEditor::RowIdText(int row) const
{
    const int id = RowId(row);
    return id < 0 ? QString() : QString::number(id);
}

void PartyEditor::ShowRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QSqlRecord record = m_model->record(row);
    m_widgets.name->setText(record.value(Name).toString());
    m_widgets.address->setPlainText(record.value(Address).toString());
    m_widgets.email->setText(record.value(Email).toString());
    m_widgets.contact->setText(record.value(Contact).toString());
    m_widgets.update->setEnabled(true);
    m_widgets.remove->setEnabled(true);
}

void PartyEditor::ClearFields()
{
    m_widgets.name->clear();
    m_widgets.address->clear();
    m_widgets.email->clear();
    m_widgets.contact->clear();
}

PartyStore::Party PartyEditor::Fields() const
{
    return {m_widgets.name->text(), m_widgets.address->toPlainText(), m_widgets.email->text(),
            m_widgets.contact->text()};
}

bool PartyEditor::AddFromFields()
{
    const bool stored = PartyStore::AddParty(m_model->database(), m_table, Fields())
                        == PartyStore::Result::Done;
    Reload();
    if (stored) {
        ClearFields();
        m_widgets.name->setFocus(); // ready for the next one
    }
    return stored;
}

bool PartyEditor::UpdateFromFields(int row)
{
    const int id = RowId(row);
    if (id < 0)
        return false;
    const bool stored = PartyStore::UpdateParty(m_model->database(), m_table, id, Fields())
                        == PartyStore::Result::Done;
    Reload();
    if (stored) {
        ClearFields();
        m_widgets.name->setFocus(); // ready for the next one
    }
    return stored;
}

void PartyEditor::Reload()
{
    if (!m_model->select())
        LogSqlError(m_model->lastError());
    m_widgets.update->setEnabled(false);
    m_widgets.remove->setEnabled(false);
}

void PartyEditor::ApplyFilter(const QString &text)
{
    m_model->setFilter(PartyStore::ContainsFilter(m_model->database(), text));
    Reload();
    m_widgets.view->show();
}
