#pragma once

#include <QStyledItemDelegate>

// Shows money, discounts and rates as fixed-point texts with two decimals. The view's own
// text for a number keeps six significant digits only, so 100000.01 would read 100000.
class DecimalDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &locale) const override;
};
