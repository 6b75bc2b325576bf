#pragma once

#include <QFont>
#include <QTabBar>
#include <QTabWidget>

// The themes draw the captions of a dialog's "tabWidget" in bold, but the tab bar measures its
// tabs with its own font: give it the bold font too, so captions are not cut off.
inline void BoldTabCaptions(QTabWidget *tabs)
{
    QFont font = tabs->tabBar()->font();
    font.setBold(true);
    tabs->tabBar()->setFont(font);
}
