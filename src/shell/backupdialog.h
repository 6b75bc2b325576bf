#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class Backupdialog; }

// Dumps the active inventory and sales databases into a folder the user picks, with the
// server's dump tool. There is no restore here: the files are plain SQL for the server's client.
class Backupdialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit Backupdialog(QWidget *parent = nullptr);
    ~Backupdialog() override;

private slots:
    void on_pushButtonSelect_clicked();
    void on_pushSelectExe_clicked();
    void on_pushButtonBackup_clicked();
    void on_pushButtonClose_clicked();

private:
    Q_DISABLE_COPY(Backupdialog)
    std::unique_ptr<Ui::Backupdialog> ui;
};
