#pragma once

#include <QScrollArea>

#include <memory>

namespace Ui { class TaxSettings; }

// Settings page: the three shop-wide tax rates, the tax's name and the tax switch.
class TaxSettings final : public QScrollArea
{
    Q_OBJECT
public:
    explicit TaxSettings(QWidget *parent = nullptr);
    ~TaxSettings() override;

    // Checks the rates in the order A, B, C; names the first invalid one to the user and
    // returns false with nothing stored.
    bool Validate();
    // Validates, then stores everything; true when stored.
    bool Save();

    // 0 to 99.99 with at most two decimals.
    static bool IsValidRate(const QString &rate);

private:
    Q_DISABLE_COPY(TaxSettings)
    std::unique_ptr<Ui::TaxSettings> ui;
};
