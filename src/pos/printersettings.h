#pragma once

#include <QScrollArea>
#include <QStringList>

#include <memory>

namespace Ui { class PrinterSettings; }

// Settings page: receipt and report printers, their print-to-PDF switches, and the small
// receipt's paper, margins and logo.
class PrinterSettings final : public QScrollArea
{
    Q_OBJECT
public:
    // Offers the printers the platform reports.
    explicit PrinterSettings(QWidget *parent = nullptr);
    // Offers the given printer names, in this order.
    PrinterSettings(QWidget *parent, const QStringList &printers);
    ~PrinterSettings() override;

    void Save();

private:
    Q_DISABLE_COPY(PrinterSettings)
    void LoadEscPos();
    std::unique_ptr<Ui::PrinterSettings> ui;
};
