#pragma once

#include <QLoggingCategory>
#include <QString>

// The program's debug log: silent in a normal run, written to a file under the data folder
// when switched on. Callers log through qCDebug(lcQuillbox); plain qDebug() is treated alike.
Q_DECLARE_LOGGING_CATEGORY(lcQuillbox)

namespace DebugLog {

// Switched on by QUILLBOX_DEBUG_LOG=1 in the environment or DEBUG_LOG=true in the settings.
bool Requested();
// The file the program's messages go to: quillbox.log in the data folder.
QString FilePath();
// Routes the program's messages to the file, debug lines only when Requested(); Qt's own
// messages keep going where they went before.
void Install();
// Restores the previous handler and silences the debug lines again.
void Uninstall();

} // namespace DebugLog
