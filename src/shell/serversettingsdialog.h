#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ServerSettingsDialog; }

// Edits and tests the MySQL server parameters; saving applies them from the next connection.
class ServerSettingsDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ServerSettingsDialog(QWidget *parent = nullptr);
    ~ServerSettingsDialog() override;

private slots:
    void on_pushButtonTest_clicked();
    void on_pushButtonSave_clicked();
    void on_pushCancel_clicked();
    void on_checkShowPassword_stateChanged(int state);

private:
    Q_DISABLE_COPY(ServerSettingsDialog)
    std::unique_ptr<Ui::ServerSettingsDialog> ui;
};
