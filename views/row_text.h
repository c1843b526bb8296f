#pragma once

#include <QString>

#include "document/block_starts.h"

#include <string>

class CBlockList;
class CDiffBuf;
class CDiffDoc;
struct DIFF_BLOCK;

// The content of a pane's rows as the pane shows them, for copying and
// finding: a text row is its line, decoded as UTF-8 where the line is valid
// UTF-8 and as Latin-1 otherwise; a hex row is its bytes. Rows are counted as
// the pane counts them: the lines of the list's blocks one after the other,
// or bytesPerRow bytes of their content per hex row.
class CRowText
{
public:
    // sideIndex: the file whose lines common blocks show, as in the pane.
    CRowText(const CDiffDoc& doc, const CBlockList& list, int sideIndex, int bytesPerRow);

    bool IsHex() const { return hex_; }
    int BytesPerRow() const { return perRow_; }
    long long RowCount() const;
    // A text row's line without its line break, tabs kept; a hex row's bytes
    // as upper-case hex pairs with a blank between them.
    QString RowString(long long row) const;
    // Rows first to last, each ending in a line break; the empty row after
    // a last line break is left out unless it is all that is asked for.
    QString Text(long long first, long long last) const;
    // The bytes of the whole content, in row order: what hex rows show.
    std::string Bytes() const;

private:
    // The buffer a block's content comes from, and where it starts there.
    const CDiffBuf* SourceOf(const DIFF_BLOCK& block, long long* start) const;
    // The byte of content position pos, or -1 past the end.
    int ByteAt(long long pos) const;

    const CDiffDoc& doc_;
    const CBlockList& list_;
    int sideIndex_;
    int perRow_;
    bool hex_;
    CBlockStarts starts_;
};
