#pragma once

#include <QDateTime>
#include <QString>

// Where printed documents go when they go to PDF: each receipt, order and report into a file of
// its own, named by kind, number and time, in a folder the user can find.
namespace DocumentFiles {

// The settings key of the folder; unset: the user's documents folder + "/Quillbox".
constexpr const char *kFolderKey = "DOCUMENTS_FOLDER";

QString Folder();
// The file name of a document: "receipt-000123-20261208-221530.pdf". A number of digits is
// padded to six; other characters than letters and digits become '_'; no number, no part.
QString FileName(const QString &kind, const QString &number, const QDateTime &when);
// A path in Folder() (made if missing) for a new document of this kind and number; a second
// document within the same second gets "-2", "-3", ... instead of overwriting the first.
QString NewPath(const QString &kind, const QString &number,
                const QDateTime &when = QDateTime::currentDateTime());

// Notes the file as written (where the status points) and opens it in the desktop's viewer.
// False when there is no viewer to open it with.
bool Show(const QString &path);
// The document last written, empty before the first.
QString LastWritten();

} // namespace DocumentFiles
