#pragma once

class PagedQueryModel;
class QTableView;

namespace Catalogue {

// What every paged list view does: columns sized to their contents after each reload (the
// last one stretched), and Ctrl+End jumping to the real end of the list instead of the end of
// the rows fetched so far.
void PrepareListView(QTableView *view, PagedQueryModel *model);

} // namespace Catalogue
