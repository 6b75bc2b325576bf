#include "quillboxdialog.h"

QuillboxDialog::QuillboxDialog(QWidget *parent)
    : QDialog(parent)
{
}

void QuillboxDialog::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
    CentreOnParent();
}

void QuillboxDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    CentreOnParent();
}

void QuillboxDialog::CentreOnParent()
{
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    const QPoint ownerCentre = owner->mapToGlobal(QPoint(owner->width() / 2, owner->height() / 2));
    const QPoint ownCentre(width() / 2, height() / 2);
    // A top-level dialog's position is global already; a child's is relative to its parent.
    const QPoint target = ownerCentre - ownCentre;
    move(isWindow() ? target : owner->mapFromGlobal(target));
}
