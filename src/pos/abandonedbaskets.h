#pragma once

#include "openbaskets.h"
#include "quillboxdialog.h"

class QLabel;
class QPushButton;
class QTableWidget;

// For a manager: the unpaid baskets of tills that never came back (older than the
// "OPEN_BASKET_HOURS" setting), whose stock goes back in one step.
class AbandonedBaskets final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit AbandonedBaskets(QWidget *parent = nullptr);

    int BasketCount() const { return m_baskets.size(); }

private slots:
    void OnPutBackClicked();

private:
    Q_DISABLE_COPY(AbandonedBaskets)
    void Reload();

    QVector<PosStore::OpenBasket> m_baskets;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_putBack = nullptr;
};
