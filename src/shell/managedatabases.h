#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ManageDatabases; }

// Shows the active inventory and sales schemas, creates new ones from the built-in scripts
// and switches to existing ones after checking their version tag.
class ManageDatabases final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ManageDatabases(QWidget *parent = nullptr);
    ~ManageDatabases() override;

private slots:
    void on_pushButtonOpenNewRegister_clicked();
    void on_pushButtonNewInventoryDB_clicked();
    void on_pushSelectDatabase_clicked();
    void on_pushSelectSalesDB_clicked();
    void on_pushButtonClose_clicked();

private:
    void ShowActiveNames();
    QString AskSchemaName(const QString &label);

    Q_DISABLE_COPY(ManageDatabases)
    std::unique_ptr<Ui::ManageDatabases> ui;
};
