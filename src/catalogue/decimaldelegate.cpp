#include "decimaldelegate.h"

QString DecimalDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok)
        return QStyledItemDelegate::displayText(value, locale);
    return QString::number(number, 'f', 2);
}
