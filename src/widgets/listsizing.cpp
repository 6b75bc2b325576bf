#include "listsizing.h"

#include "pagedquerymodel.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QTableView>
#include <QTimer>

namespace {
void Resize(QTableView *view)
{
    view->resizeColumnsToContents();
    // Measuring the last column undoes its stretch until the next resize of the view.
    QHeaderView *header = view->horizontalHeader();
    header->setStretchLastSection(false);
    header->setStretchLastSection(true);
}

class Sizer final : public QObject
{
public:
    explicit Sizer(QTableView *view)
        : QObject(view)
        , m_view(view)
    {
    }

    // Several changes in a row are measured once, when the events have settled.
    void Schedule()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this]() {
            m_pending = false;
            if (m_view)
                Resize(m_view);
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::StyleChange:
        case QEvent::FontChange:
        case QEvent::Polish:
            Schedule();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QTableView> m_view;
    bool m_pending = false;
};

class JumpToEndFilter final : public QObject
{
public:
    JumpToEndFilter(QTableView *view, PagedQueryModel *model)
        : QObject(view)
        , m_model(model)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_End && (key->modifiers() & Qt::ControlModifier) && m_model)
                m_model->JumpToEnd(); // the view then moves to the last row as usual
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<PagedQueryModel> m_model;
};

Sizer *Attach(QTableView *view)
{
    auto *sizer = new Sizer(view);
    view->installEventFilter(sizer);
    // Wrapped text is measured within the column's present width, so it could never widen.
    view->setWordWrap(false);
    return sizer;
}
} // namespace

namespace ListSizing {

void FollowContents(QTableView *view)
{
    Sizer *sizer = Attach(view);
    if (QAbstractItemModel *model = view->model()) {
        QObject::connect(model, &QAbstractItemModel::modelReset, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::dataChanged, sizer, &Sizer::Schedule);
    }
    Resize(view);
}

void FollowPagedContents(QTableView *view, PagedQueryModel *model)
{
    Sizer *sizer = Attach(view);
    view->horizontalHeader()->setResizeContentsPrecision(300);
    QObject::connect(model, &QAbstractItemModel::modelReset, sizer, &Sizer::Schedule);
    view->installEventFilter(new JumpToEndFilter(view, model));
    Resize(view);
}

} // namespace ListSizing
