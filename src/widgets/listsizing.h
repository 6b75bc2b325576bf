#pragma once

class PagedQueryModel;
class QTableView;

namespace ListSizing {

// Keeps a list's columns as wide as their contents after every reload of its model and every
// change of font or style sheet (a list filled before its dialog is shown would otherwise be
// measured in the wrong font), with the last column stretched to the edge.
void FollowContents(QTableView *view);

// The same for a list that fetches its rows in pages: measured after each reload (not on each
// page, so the columns do not jump while the user scrolls), over a window of rows that keeps it
// quick, and Ctrl+End jumps to the real end of the list instead of the end of the rows fetched.
void FollowPagedContents(QTableView *view, PagedQueryModel *model);

} // namespace ListSizing
