#include "views/row_selection.h"

#include <algorithm>

void CRowSelection::Start(long long row)
{
    anchor_ = active_ = std::max(row, 0LL);
}

void CRowSelection::ExtendTo(long long row)
{
    if (IsEmpty())
        anchor_ = std::max(row, 0LL);
    active_ = std::max(row, 0LL);
}

void CRowSelection::SelectAll(long long rowCount)
{
    if (rowCount <= 0) {
        Clear();
        return;
    }
    anchor_ = 0;
    active_ = rowCount - 1;
}
