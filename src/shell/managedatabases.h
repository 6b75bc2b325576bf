#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ManageDatabases; }

// Shows the active inventory and sales schemas, creates new ones from the built-in scripts
// and switches to existing ones after checking their version tag; lists each schema's upgrade
// steps and offers the pending blocking ones.
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
    void on_pushButtonUpgrade_clicked();

private:
    void ShowActiveNames();
    // Each active schema's applied steps and the ones it still lacks.
    void ShowSchemaChanges();
    QString AskSchemaName(const QString &label);

    Q_DISABLE_COPY(ManageDatabases)
    std::unique_ptr<Ui::ManageDatabases> ui;
};
