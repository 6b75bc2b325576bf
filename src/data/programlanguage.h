#pragma once

#include <QString>

class QCoreApplication;
class QLocale;

// Every program of the system speaks the language of the user's system when a catalogue for it
// ships, English (the language the texts are written in) otherwise.
namespace ProgramLanguage {
// Installs the catalogues for QLocale::system() into the application; call once, before any
// window is made. Returns the name of the catalogue loaded ("de"), empty for English.
QString Install(QCoreApplication *app);
// The same for a given locale (what Install uses).
QString Install(QCoreApplication *app, const QLocale &locale);
} // namespace ProgramLanguage
