#pragma once

#include <QString>

#include <set>
#include <vector>

class CBlockList;

// The rows a pane shows when it shows only the differences: every run of
// rows that are common to both files and longer than twice the context (by
// two rows at least, as one marker for one row would gain nothing) is
// shown as its first and last context rows with one marker row between them,
// which stands for the rows it hides until the user opens it. The class maps
// the rows as shown to the rows of the content (text lines, or hex rows of
// bytesPerRow bytes) and back; everything the pane does in content rows
// (selection, find, copy, navigation, the overview's fractions) asks it.
class CRowFolding
{
public:
    // The hidden rows of one closed fold, in content rows.
    struct FOLD
    {
        long long first = 0;
        long long count = 0;
        // Where its run of common content starts in the list's content
        // (lines or bytes): the fold's name, which outlives a change of the
        // bytes per row or of the context.
        long long key = 0;
    };

    // A stretch of shown rows: content rows one after the other, or the
    // marker row of a fold.
    struct PIECE
    {
        long long shownFirst = 0;
        long long contentFirst = 0;
        long long count = 0;
        int fold = -1; // index of the fold whose marker this is, else -1
        bool IsMarker() const { return fold >= 0; }
    };

    // Finds the folds of a list's common runs. bytesPerRow 0 counts a row per
    // element (text lines), else a row per bytesPerRow bytes (hex rows, of
    // which only those wholly common fold). Nothing folds when off.
    void Build(const CBlockList& list, int bytesPerRow, int context, bool on);
    // Opening a fold shows its rows until the folds are found anew for
    // another result; Forget closes all of them again.
    void Open(int fold);
    void Forget() { opened_.clear(); }

    const std::vector<FOLD>& Folds() const { return folds_; }
    bool IsEmpty() const { return folds_.empty(); }
    // The shown rows of contentRows content rows.
    long long ShownCount(long long contentRows) const;

    // The fold that hides a content row, or -1.
    int FoldHolding(long long contentRow) const;
    // The fold whose marker is a shown row, or -1.
    int FoldShownAt(long long shownRow) const;
    long long MarkerRow(int fold) const { return markers_[static_cast<std::size_t>(fold)]; }

    // A content row's shown row; a hidden row is shown as its fold's marker.
    long long ShownRowOf(long long contentRow) const;
    // A shown row's content row; a marker stands for its first hidden row.
    long long ContentRowOf(long long shownRow) const;
    // The same for places between rows: a marker spans its hidden rows
    // evenly, so that the places keep their order both ways.
    double ShownPlaceOf(double contentPlace) const;
    double ContentPlaceOf(double shownPlace) const;

    // The shown rows first to last (both included) in pieces.
    std::vector<PIECE> Pieces(long long firstShown, long long lastShown,
                              long long shownCount) const;

    // The marker's text: "1 234 identical lines".
    static QString MarkerText(long long count);

private:
    std::vector<FOLD> folds_;
    // The shown row of each fold's marker.
    std::vector<long long> markers_;
    std::set<long long> opened_;
};
