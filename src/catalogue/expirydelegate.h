#pragma once

#include <QDate>
#include <QStyledItemDelegate>

// Marks the expiry dates of the batch picker that lie before today, so a cashier picking a
// batch sees at once which ones must not be handed out.
class ExpiryDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The dates are read in displayFormat (or ISO); today is the till's day.
    ExpiryDelegate(const QString &displayFormat, const QDate &today, QObject *parent = nullptr);

    bool IsExpired(const QVariant &value) const;
    QString displayText(const QVariant &value, const QLocale &locale) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QString m_displayFormat;
    QDate m_today;
};
