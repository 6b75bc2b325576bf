#include "listviewsupport.h"

#include "pagedquerymodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace Catalogue {

namespace {

class JumpToEndFilter final : public QObject {
public:
    JumpToEndFilter(QTableView *view, PagedQueryModel *model)
        : QObject(view)
        , m_model(model)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_End && (key->modifiers() & Qt::ControlModifier))
                m_model->JumpToEnd(); // the view then moves to the last row as usual
        }
        return QObject::eventFilter(watched, event);
    }

private:
    PagedQueryModel *m_model;
};

} // namespace

void PrepareListView(QTableView *view, PagedQueryModel *model)
{
    view->horizontalHeader()->setStretchLastSection(true);
    // Measuring a window of rows around the visible ones is enough and stays quick.
    view->horizontalHeader()->setResizeContentsPrecision(300);
    QObject::connect(model, &QAbstractItemModel::modelReset, view,
                     [view] { view->resizeColumnsToContents(); });
    view->installEventFilter(new JumpToEndFilter(view, model));
}

} // namespace Catalogue
