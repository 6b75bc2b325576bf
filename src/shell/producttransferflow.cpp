#include "producttransferflow.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "producttransfer.h"
#include "progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>

namespace ProductTransferFlow {

namespace {
QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

QString RecentLocation()
{
    return AppSettings::Instance().Text(Setting::RecentLocation);
}

// Keeps the window painted during a long run while clicks wait, so nothing starts twice.
void KeepPainted()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

constexpr int kProgressSteps = 1000;
} // namespace

void InventoryExport(QWidget *parent, bool forScanner)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, QString(), RecentLocation(),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    ExportToFolder(parent, folder, forScanner);
}

void ExportToFolder(QWidget *parent, const QString &folder, bool forScanner)
{
    Progress progress(parent, QString());
    progress.show();
    KeepPainted();
    const QString absolute = QDir(folder).absolutePath();
    Store()->setValue(QStringLiteral("RECENT_LOCATION"), absolute);
    const QString path = absolute + QLatin1Char('/') + ProductTransfer::ExportFileName(forScanner);

    const ProductTransfer::ExportResult result = ProductTransfer::ExportInventory(
        CDBManager::Instance().GetInventoryDataBase(), path, forScanner, KeepPainted);
    progress.close();
    switch (result) {
    case ProductTransfer::ExportResult::Done:
        QMessageBox::information(parent, QCoreApplication::translate("ProductTransferFlow", "Export"),
                                 QCoreApplication::translate("ProductTransferFlow", "Inventory data exported successfully to file %1")
                                     .arg(path));
        break;
    case ProductTransfer::ExportResult::QueryFailed:
        QMessageBox::information(parent, QCoreApplication::translate("ProductTransferFlow", "Export"),
                                 QCoreApplication::translate("ProductTransferFlow", "Error occurred while exporting data."));
        break;
    case ProductTransfer::ExportResult::OpenFailed:
    case ProductTransfer::ExportResult::WriteFailed:
        QMessageBox::warning(parent, QCoreApplication::translate("ProductTransferFlow", "Export"),
                             QCoreApplication::translate("ProductTransferFlow", "Could not write the file %1.").arg(path));
        break;
    }
}

void ImportProductData(QWidget *parent, bool withCodes)
{
    const QString path = QFileDialog::getOpenFileName(parent, QCoreApplication::translate("ProductTransferFlow", "Open File"),
                                                      RecentLocation(),
                                                      QCoreApplication::translate("ProductTransferFlow", "Data Files (*.txt *.csv)"));
    if (path.isEmpty())
        return;
    Store()->setValue(QStringLiteral("RECENT_LOCATION"), path);
    ImportFile(parent, path, withCodes);
}

void ImportFile(QWidget *parent, const QString &filePath, bool withCodes)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::warning(parent, QCoreApplication::translate("ProductTransferFlow", "Import"),
                             QCoreApplication::translate("ProductTransferFlow", "Could not read the file %1.").arg(filePath));
        return;
    }

    // Shown only when the import takes a while; Cancel rolls the whole import back.
    QProgressDialog progress(QCoreApplication::translate("ProductTransferFlow", "Please wait..."), QCoreApplication::translate("ProductTransferFlow", "Cancel"), 0,
                             kProgressSteps, parent);
    progress.setWindowTitle(QCoreApplication::translate("ProductTransferFlow", "Import"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);

    ProductTransfer::ProductImporter importer(CDBManager::Instance().GetInventoryDataBase(),
                                              withCodes);
    const ProductTransfer::ImportOutcome outcome =
        importer.Import(file, [&progress](qint64 done, qint64 total) {
            if (total > 0)
                progress.setValue(int(done * kProgressSteps / total));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.close();

    const QString report = ProductTransfer::ImportReport(outcome);
    if (outcome.status == ProductTransfer::ImportOutcome::Status::Done
        && outcome.skipped.isEmpty())
        QMessageBox::information(parent, QCoreApplication::translate("ProductTransferFlow", "Import"), report);
    else
        QMessageBox::warning(parent, QCoreApplication::translate("ProductTransferFlow", "Import"), report);
}

} // namespace ProductTransferFlow
