#include "listsizing.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
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
} // namespace

namespace ListSizing {

void FollowContents(QTableView *view)
{
    auto *sizer = new Sizer(view);
    view->installEventFilter(sizer);
    // Wrapped text is measured within the column's present width, so it could never widen.
    view->setWordWrap(false);
    if (QAbstractItemModel *model = view->model()) {
        QObject::connect(model, &QAbstractItemModel::modelReset, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, sizer, &Sizer::Schedule);
        QObject::connect(model, &QAbstractItemModel::dataChanged, sizer, &Sizer::Schedule);
    }
    Resize(view);
}

} // namespace ListSizing
