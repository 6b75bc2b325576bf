#pragma once

#include "quillboxdialog.h"

class QLineEdit;
class QPlainTextEdit;

// Asked on the first start while the shop has no name: receipts and orders print the shop's
// name and address, and nothing invented stands in for them.
class ShopDetailsDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ShopDetailsDialog(QWidget *parent = nullptr);

    // True when the settings hold no shop name yet.
    static bool IsNeeded();

private:
    void Save();

    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_address = nullptr;
    QLineEdit *m_phone = nullptr;
};
