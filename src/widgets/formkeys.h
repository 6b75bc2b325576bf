#pragma once

#include <QList>

class QAbstractItemView;
class QLineEdit;
class QPushButton;
class QWidget;

// How Return behaves in the program's forms: it presses the form's main button from any of its
// text fields and does nothing at all in a list, so a key meant for the list can never reach a
// Delete button that happens to have the focus.
namespace FormKeys {

// Return in any of the fields clicks the first enabled button of mainButtons (e.g. Update
// while a row is being edited, else Add). No button of the form stays a default button.
void ReturnPresses(QWidget *form, const QList<QLineEdit *> &fields,
                   const QList<QPushButton *> &mainButtons);

// Return and Enter in the list are swallowed.
void QuietReturn(QAbstractItemView *list);

} // namespace FormKeys
