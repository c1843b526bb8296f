#pragma once

// The rows a pane has selected: from the row where the selection was started
// (the anchor) to the row it was last extended to (the active end), in either
// order. Rows are counted from the top of the pane's content.
class CRowSelection
{
public:
    bool IsEmpty() const { return anchor_ < 0; }
    void Clear() { anchor_ = active_ = -1; }
    // Selects the one row.
    void Start(long long row);
    // Moves the active end to row; an empty selection starts there.
    void ExtendTo(long long row);
    // Every row of content that has rowCount rows; nothing when it has none.
    void SelectAll(long long rowCount);

    long long First() const { return anchor_ < active_ ? anchor_ : active_; }
    long long Last() const { return anchor_ < active_ ? active_ : anchor_; }
    long long Anchor() const { return anchor_; }
    long long Active() const { return active_; }
    bool Contains(long long row) const { return !IsEmpty() && row >= First() && row <= Last(); }

private:
    long long anchor_ = -1;
    long long active_ = -1;
};
