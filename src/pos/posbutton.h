#pragma once

#include <QPushButton>

// A quick-sale button of the sale screen: it carries the barcode of its stock batch.
class CPosButton final : public QPushButton {
    Q_OBJECT
public:
    CPosButton(const QString &barCode, const QString &caption, QWidget *parent = nullptr);
    QString BarCode() const { return m_barCode; }

private:
    Q_DISABLE_COPY(CPosButton)
    QString m_barCode;
};
