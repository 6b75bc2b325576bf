#pragma once

class QTableView;

namespace ListSizing {

// Keeps a list's columns as wide as their contents after every reload of its model and every
// change of font or style sheet (a list filled before its dialog is shown would otherwise be
// measured in the wrong font), with the last column stretched to the edge.
void FollowContents(QTableView *view);

} // namespace ListSizing
