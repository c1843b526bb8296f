#pragma once

#include "document/block_partners.h"
#include "document/line_changes.h"

#include <string>
#include <string_view>
#include <vector>

class CAppearanceSettings;
class CBlockList;
class CDiffDoc;
class COutputBuffer;
struct DIFF_BLOCK;

// The rows of one file comparison as an HTML table, as the window's panes
// show them: text lines with the line numbers of both files and the changes
// inside lines marked, or hex rows; every row in the colours and emphasis of
// its content kind (classes "k0" to "k4", styled by CHtmlPage). The first row
// of a moved block links to the other half of the block, which links back.
class CHtmlListing
{
public:
    // anchors: what every id of this listing starts with, so that several
    // listings share a page. mostRows: the rows written at most; past them
    // the listing ends with a note.
    CHtmlListing(COutputBuffer& out, const CDiffDoc& doc, const CAppearanceSettings& look,
                 std::string anchors, long long mostRows);

    // One table in composite order, or the two files' tables side by side.
    void WriteComposite();
    void WriteSideBySide(std::string_view firstTitle, std::string_view secondTitle);

    long long RowsWritten() const { return rows_; }
    bool WasCut() const { return cut_; }

private:
    // pane: -1 for the composite table, else the side whose file the table
    // shows.
    void WriteTable(const CBlockList& list, int pane);
    // False when the listing was cut inside the block.
    bool WriteTextBlock(const DIFF_BLOCK& block, int pane);
    void WriteLineNumbers(const DIFF_BLOCK& block, int offset, int pane);
    void WriteMarker(const DIFF_BLOCK& block, int offset);
    void AppendMovedLink(const DIFF_BLOCK& block, const DIFF_BLOCK& partner);
    void WriteLineText(const DIFF_BLOCK& block, int side, int line, int offset);
    std::vector<LineChanges::Span> ChangesOf(const DIFF_BLOCK& block, int offset) const;
    void WriteHexRows(const CBlockList& list, int pane);
    void BeginHexRow(long long offset);
    void EndHexRow();
    void WriteHexPiece(const DIFF_BLOCK& block, const unsigned char* bytes, int count,
                       bool blockStart);
    // The id of a moved block's first row in the file of side.
    std::string MovedAnchor(const DIFF_BLOCK& block, int side) const;
    // Counts a row about to be written; at the bound, ends the table with a
    // note instead (columns wide) and says no.
    bool RoomForRow(int columns);

    COutputBuffer& out_;
    const CDiffDoc& doc_;
    const CAppearanceSettings& look_;
    std::string anchors_;
    long long mostRows_;
    long long rows_ = 0;
    long long tableRows_ = 0;
    bool cut_ = false;
    bool tableCut_ = false;
    CBlockPartners partners_;
    // The row being built, and for hex rows their two columns.
    std::string row_;
    std::string hexColumn_;
    std::string charColumn_;
};
