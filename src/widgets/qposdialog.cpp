#include "qposdialog.h"

#include <QKeyEvent>

QPOSDialog::QPOSDialog(QWidget *parent, bool fullScreenOnShow)
    : QDialog(parent)
    , m_fullScreenOnShow(fullScreenOnShow)
{
    setObjectName(QStringLiteral("QPOSDialog"));
}

void QPOSDialog::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

void QPOSDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_fullScreenOnShow)
        showFullScreen();
}
