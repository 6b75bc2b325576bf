#include "qposdialog.h"

#include <QKeyEvent>
#include <QScreen>

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
    if (!m_fullScreenOnShow)
        return;
    // Without a window manager (a bare X server at a till) full screen alone does nothing.
    if (QScreen *display = screen())
        setGeometry(display->geometry());
    showFullScreen();
}
