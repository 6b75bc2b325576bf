#pragma once

#include <QString>

class QWidget;

// What the Inventory → Export and Products → Import menu entries do after their note: pick the
// folder or file, run the transfer with a progress indicator, and tell the user the outcome.
namespace ProductTransferFlow {

void InventoryExport(QWidget *parent, bool forScanner);
void ImportProductData(QWidget *parent, bool withCodes);

// The steps after the choice of folder or file.
void ExportToFolder(QWidget *parent, const QString &folder, bool forScanner);
void ImportFile(QWidget *parent, const QString &filePath, bool withCodes);

} // namespace ProductTransferFlow
