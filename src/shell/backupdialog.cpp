#include "backupdialog.h"
#include "ui_backupdialog.h"

#include "appsettings.h"
#include "databasedump.h"
#include "dbmanager.h"
#include "useraccounts.h"
#include "progress.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace {
QString Stored(const SettingKey &key)
{
    return AppSettings::Instance().Text(key);
}
} // namespace

Backupdialog::Backupdialog(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::Backupdialog>())
{
    ui->setupUi(this);
#ifndef Q_OS_WIN
    // Programs carry no .exe suffix here; asking for one sends the user looking for a file
    // that does not exist.
    ui->labelTool->setText(tr("Path to mysqldump"));
#endif
    ui->lineMysqlDumpPath->setText(DatabaseDump::DefaultTool());
}

Backupdialog::~Backupdialog() = default;

void Backupdialog::on_pushButtonSelect_clicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QString(), QString(),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    ui->lineEdit->setText(QDir(folder).absolutePath());
    ui->pushButtonBackup->setEnabled(true);
}

void Backupdialog::on_pushSelectExe_clicked()
{
    QString start = Stored(Setting::RecentLocation);
    if (start.isEmpty())
        start = QStringLiteral("/home");
    QFileDialog dialog(this, tr("Select EXE"), start);
    dialog.setFileMode(QFileDialog::ExistingFile);
#ifdef Q_OS_WIN
    dialog.setNameFilter(QStringLiteral("Exe Files (*.exe)"));
#else
    // The tool has no suffix here: offer the usual names, and any program as the fallback.
    dialog.setNameFilters({QStringLiteral("Dump tool (mariadb-dump mysqldump)"),
                           QStringLiteral("Programs (*)")});
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
#endif
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ui->lineMysqlDumpPath->setText(dialog.selectedFiles().constFirst());
}

void Backupdialog::on_pushButtonBackup_clicked()
{
    const QString tool = ui->lineMysqlDumpPath->text();
    const QFileInfo toolInfo(tool);
    if (tool.isEmpty() || !toolInfo.isFile() || !toolInfo.isExecutable()) {
#ifdef Q_OS_WIN
        QMessageBox::information(this, tr("Backup"), tr("Path to mysqldump.exe is not correct."));
#else
        QMessageBox::information(this, tr("Backup"), tr("Path to mysqldump is not correct."));
#endif
        return;
    }

    // Accounts an earlier release left with a readable password are hashed first, so the
    // dump carries none.
    if (CDBManager::Instance().IsInventoryConnected())
        UserAccounts::HashPlainPasswords(CDBManager::Instance().GetInventoryDataBase());

    DatabaseDump::Account account;
    account.host = Stored(Setting::DbServer);
    account.port = Stored(Setting::DbPort).toInt(nullptr, 10);
    account.user = Stored(Setting::DbUser);
    account.password = Stored(Setting::DbPassword);

    const QString folder = ui->lineEdit->text() + QLatin1Char('/');
    QVector<DatabaseDump::Job> jobs(2);
    jobs[0].schema = Stored(Setting::ActiveInventoryDb);
    jobs[0].outputPath = folder + DatabaseDump::StampedFileName(QDateTime::currentDateTime(),
                                                                QStringLiteral("quillbox_inventory.sql"));
    jobs[1].schema = Stored(Setting::ActiveSalesDb);
    jobs[1].outputPath = folder + DatabaseDump::StampedFileName(QDateTime::currentDateTime(),
                                                                QStringLiteral("quillbox_sales.sql"));

    Progress progress(this, QStringLiteral("Backing up..."));
    progress.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool ok = DatabaseDump::Run(tool, account, jobs);
    progress.close();

    if (ok) {
        QMessageBox::information(this, tr("Backup"),
                                 tr("Backup operation completed successfully"));
        return;
    }
    const QStringList kinds = {QStringLiteral("Inventory database"),
                               QStringLiteral("Sales database")};
    QString text = QStringLiteral("The backup failed.");
    for (int i = 0; i < jobs.size(); ++i) {
        const DatabaseDump::Job &job = jobs.at(i);
        if (job.ok)
            text += QStringLiteral("\n\n%1: written to %2").arg(kinds.at(i), job.outputPath);
        else
            text += QStringLiteral("\n\n%1 \"%2\": %3").arg(kinds.at(i), job.schema, job.message);
    }
    QMessageBox::critical(this, tr("Backup"), text);
}

void Backupdialog::on_pushButtonClose_clicked()
{
    close();
}
