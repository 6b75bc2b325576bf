#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class Settings; }
class POSSettings;
class PrinterSettings;
class TaxSettings;

// The tabbed settings dialog: general and company settings, and the tax, printer and sale
// screen pages. OK stores everything, Cancel nothing.
class Settings final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void on_selectImage_clicked();
    void on_pudhWhatIsSubItemsMode_clicked();
    void on_pushConfigure_clicked();
    void on_pushDatabases_clicked();
    void on_pushSelectImagesFolder_clicked();

private:
    Q_DISABLE_COPY(Settings)
    std::unique_ptr<Ui::Settings> ui;
    PrinterSettings *m_printerSettings;
    POSSettings *m_posSettings;
    TaxSettings *m_taxSettings;
};
