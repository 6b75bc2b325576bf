#include "posbutton.h"

CPosButton::CPosButton(const QString &barCode, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
    , m_barCode(barCode)
{
}
