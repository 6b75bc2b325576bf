#include "expirydelegate.h"

#include "cataloguerules.h"

#include <QPalette>

ExpiryDelegate::ExpiryDelegate(const QString &displayFormat, const QDate &today, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_displayFormat(displayFormat)
    , m_today(today)
{
}

bool ExpiryDelegate::IsExpired(const QVariant &value) const
{
    const QDate date = Catalogue::ParseDisplayDate(value.toString(), m_displayFormat);
    return date.isValid() && date < m_today;
}

QString ExpiryDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    const QString shown = QStyledItemDelegate::displayText(value, locale);
    if (!IsExpired(value))
        return shown;
    return tr("%1 (expired)").arg(shown);
}

void ExpiryDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (IsExpired(index.data())) {
        // Red reads as a warning on the light and the dark theme alike.
        option->palette.setColor(QPalette::Text, QColor(0xd0, 0x30, 0x30));
        option->palette.setColor(QPalette::HighlightedText, QColor(0xff, 0xb0, 0xb0));
        option->font.setBold(true);
    }
}
