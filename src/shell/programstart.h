#pragma once

#include <QString>

// What the installed program does before its window opens, so that it works from the desktop
// menu on a machine where nothing else is set up.
namespace ProgramStart {

// The demo keeps settings and files of its own under the user's data folder, so the real
// shop stays untouched; the private server is shared. Call before the settings are first read.
void UseDemoFolders();

// Starts the private database server when the settings name none (or name it and it is down),
// showing a busy note meanwhile. Switched off by QUILLBOX_PRIVATE_SERVER=0. A failure is only
// logged: the program then asks for a server as it always did.
void EnsureServer();

// Fills the demo shop on its first start; false (after telling the user) when it cannot.
bool EnsureDemoShop(const QString &scaleName);

} // namespace ProgramStart
