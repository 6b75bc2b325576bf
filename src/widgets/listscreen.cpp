#include "listscreen.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "listsizing.h"
#include "pagedquerymodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScroller>
#include <QTableView>

ListScreen::ListScreen(QWidget *parent, bool selectionMode)
    : QScrollArea(parent)
    , m_selectionMode(selectionMode)
{
}

QWidget *ListScreen::PickerParent(QWidget *fallback)
{
    QWidget *host = AppSettings::Instance().GlobalParent();
    return host ? host : fallback;
}

QWidget *ListScreen::DialogParent()
{
    return PickerParent(this);
}

void ListScreen::SetUpList(QTableView *view, const QStringList &sortExpressions,
                           const QString &tieBreaker, const QStringList &headers,
                           const QList<int> &hiddenColumns)
{
    m_view = view;
    m_model = new PagedQueryModel(this);
    m_model->SetSortExpressions(sortExpressions);
    m_model->SetTieBreaker(tieBreaker);
    for (int c = 0; c < headers.size(); ++c) {
        if (!headers.at(c).isEmpty())
            m_model->setHeaderData(c, Qt::Horizontal, headers.at(c));
    }
    view->setModel(m_model);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);
    // After a re-run the header has forgotten its hidden sections.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this, hiddenColumns] {
        for (const int hidden : hiddenColumns)
            m_view->setColumnHidden(hidden, true);
    });
    ListSizing::FollowPagedContents(view, m_model);
    view->installEventFilter(this);
}

bool ListScreen::eventFilter(QObject *watched, QEvent *event)
{
    // A picker is often used from the till's keyboard: Return on a row picks it as a
    // double-click would.
    if (m_selectionMode && watched == m_view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = m_view->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            emit m_view->doubleClicked(current);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void ListScreen::RunQuery(const QString &sql, const QVariantMap &bindings)
{
    // Columns are sized to the new rows as the model resets.
    m_model->SetQuery(CDBManager::Instance().GetInventoryDataBase(), sql, bindings);
}

void ListScreen::Reselect()
{
    m_model->Refresh();
}

bool ListScreen::ConfirmDelete(const QString &title, const QString &question)
{
    // A slip of the Return key must not delete: No is the default.
    return QMessageBox::question(this, title, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}
