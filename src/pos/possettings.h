#pragma once

#include <QScrollArea>

#include <memory>

namespace Ui { class POSSettings; }

// Settings page: the size of the sale screen's quick-sale button grid.
class POSSettings final : public QScrollArea
{
    Q_OBJECT
public:
    explicit POSSettings(QWidget *parent = nullptr);
    ~POSSettings() override;

    void Save();

private:
    Q_DISABLE_COPY(POSSettings)
    std::unique_ptr<Ui::POSSettings> ui;
};
