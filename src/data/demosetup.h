#pragma once

#include "demoshop.h"

#include <QStringList>

class QSettings;

namespace DemoShop {

// Fills the active databases of the settings' server with the demo shop. Active databases that
// are missing or already hold data are never filled: new ones are made with the program's own
// scripts and made active instead, so a real shop is never touched. Sets the shop's name,
// currency and tax where none are set. notes receives what a user should be told.
bool SetUpActiveShop(QSettings *settings, const Scale &scale, const ProgressFn &progress,
                     QStringList *notes, QString *error);

} // namespace DemoShop
