#pragma once

#include "quillboxdialog.h"

#include <QGridLayout>
#include <QList>
#include <QScrollArea>
#include <QSize>
#include <QStringList>
#include <QVariantMap>

class PagedQueryModel;
class QTableView;

// What the list screens (products, batches, purchase orders) share: a paged model sorted on
// the server behind a table view, re-runs that keep the key columns hidden and the columns
// sized, the question before a delete, and the host dialog that runs a list as a picker.
class ListScreen : public QScrollArea {
    Q_OBJECT
public:
    PagedQueryModel *Model() const { return m_model; }
    bool IsSelectionMode() const { return m_selectionMode; }

    // Runs a list in selection mode inside a modal host dialog (parent: the main window when
    // there is one) and returns what the list picked, read by the getter after it closed.
    template <class List>
    static QString RunPicker(QWidget *parent, const QString &title, const QSize &size,
                             QString (List::*picked)() const)
    {
        QuillboxDialog dialog(PickerParent(parent));
        dialog.setWindowTitle(title);
        auto *layout = new QGridLayout(&dialog);
        auto *list = new List(&dialog, true);
        layout->addWidget(list, 0, 0);
        dialog.resize(size);
        dialog.exec();
        return (list->*picked)();
    }

protected:
    ListScreen(QWidget *parent, bool selectionMode);

    // Puts a new paged model on the view. Headers: empty texts keep the column name.
    void SetUpList(QTableView *view, const QStringList &sortExpressions, const QString &tieBreaker,
                   const QStringList &headers, const QList<int> &hiddenColumns);
    void RunQuery(const QString &sql, const QVariantMap &bindings);
    // Runs the current statement again (after an add, edit or delete).
    void Reselect();
    // The Yes/No question before a delete; true on Yes.
    bool ConfirmDelete(const QString &title, const QString &question);
    // Parent of the add and edit dialogs: the main window when there is one.
    QWidget *DialogParent();

    static QWidget *PickerParent(QWidget *fallback);

    bool eventFilter(QObject *watched, QEvent *event) override;

    PagedQueryModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    const bool m_selectionMode;
};
