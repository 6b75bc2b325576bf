#include "formkeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {
class ReturnSwallower final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

namespace FormKeys {

void ReturnPresses(QWidget *form, const QList<QLineEdit *> &fields,
                   const QList<QPushButton *> &mainButtons)
{
    const auto buttons = form->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    QList<QPointer<QPushButton>> candidates;
    for (QPushButton *button : mainButtons)
        candidates.append(button);
    for (QLineEdit *field : fields) {
        QObject::connect(field, &QLineEdit::returnPressed, form, [candidates]() {
            for (const QPointer<QPushButton> &button : candidates) {
                if (button && button->isEnabled()) {
                    button->click();
                    return;
                }
            }
        });
    }
}

void QuietReturn(QAbstractItemView *list)
{
    list->installEventFilter(new ReturnSwallower(list));
}

} // namespace FormKeys
