#pragma once

#include "partystore.h"

#include <QString>

class QLineEdit;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QSqlTableModel;
class QTableView;

// What the vendor and customer dialogs share: one table shape (ID, NAME, ADDRESS, EMAIL,
// CONTACT_NUMBER) shown in a list and edited through the same four fields.
class PartyEditor final
{
public:
    struct Widgets
    {
        QLineEdit *name = nullptr;
        QPlainTextEdit *address = nullptr;
        QLineEdit *email = nullptr;
        QLineEdit *contact = nullptr;
        QTableView *view = nullptr;
        QPushButton *update = nullptr;
        QPushButton *remove = nullptr;
    };

    // The model is parented to modelParent; table is one of PartyStore's table names.
    PartyEditor(const char *table, const Widgets &widgets, QObject *modelParent);

    QSqlTableModel *Model() const { return m_model; }

    bool IsEmptyText() const;
    // The highlighted row, or -1.
    int CurrentRow() const;
    // The row's ID, or -1 when the row does not exist.
    int RowId(int row) const;
    QString RowIdText(int row) const;
    // Puts the row into the fields and allows Update and Delete.
    void ShowRow(int row);
    void ClearFields();

    // Each stores the fields at once; true when the server took them (the fields are then
    // cleared). On a refusal the fields stay as typed and the list shows what is stored.
    bool AddFromFields();
    bool UpdateFromFields(int row);

    // Reads the table again; the highlight is gone afterwards, and with it Update and Delete.
    void Reload();
    void ApplyFilter(const QString &text);

private:
    PartyStore::Party Fields() const;

    const char *m_table;
    Widgets m_widgets;
    QSqlTableModel *m_model;
};
