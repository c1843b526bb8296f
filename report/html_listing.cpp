#include "report/html_listing.h"

#include "document/appearance_settings.h"
#include "document/diff_doc.h"
#include "document/hex_format.h"
#include "document/line_changes.h"
#include "engine/text_buf.h"
#include "report/html_text.h"
#include "report/output_buffer.h"

#include <algorithm>

namespace {

// The marker column, per content kind in the order of ContentKind: what the
// colours say, for a page printed in black and white.
constexpr std::string_view kMarkers[] = {" ", "+", "-", "&gt;", "&lt;"};

std::size_t IndexOf(ContentKind kind)
{
    return static_cast<std::size_t>(kind);
}

std::string KindClass(const DIFF_BLOCK& block)
{
    std::string name = "k";
    name += static_cast<char>('0' + IndexOf(CAppearanceSettings::KindOf(block)));
    return name;
}

// A span's edge moved forward to the first byte of a character, so that a
// marked span never splits one.
std::size_t CharacterEdge(std::string_view line, int at, bool utf8)
{
    std::size_t edge = static_cast<std::size_t>(std::clamp(at, 0, static_cast<int>(line.size())));
    while (utf8 && edge < line.size() && (static_cast<unsigned char>(line[edge]) & 0xC0) == 0x80)
        ++edge;
    return edge;
}

} // namespace

CHtmlListing::CHtmlListing(COutputBuffer& out, const CDiffDoc& doc,
                           const CAppearanceSettings& look, std::string anchors,
                           long long mostRows)
    : out_(out), doc_(doc), look_(look), anchors_(std::move(anchors)), mostRows_(mostRows)
{
    partners_.Refresh(doc_);
}

void CHtmlListing::WriteComposite()
{
    out_.Append("<table class=\"rows composite\">\n");
    WriteTable(doc_.allList(), -1);
    out_.Append("</table>\n");
}

void CHtmlListing::WriteSideBySide(std::string_view firstTitle, std::string_view secondTitle)
{
    out_.Append("<div class=\"sides\">\n");
    for (int side = 0; side < 2; ++side) {
        out_.Append("<div class=\"side\"><p class=\"pane-title\">");
        out_.Append(side == 0 ? firstTitle : secondTitle);
        out_.Append("</p>\n<table class=\"rows\">\n");
        WriteTable(side == 0 ? doc_.firstList() : doc_.secondList(), side);
        out_.Append("</table></div>\n");
    }
    out_.Append("</div>\n");
}

void CHtmlListing::WriteTable(const CBlockList& list, int pane)
{
    tableRows_ = 0;
    tableCut_ = false;
    if (!doc_.firstBuf() || !doc_.secondBuf())
        return;
    if (doc_.firstBuf()->type() == CDiffBuf::Binary) {
        WriteHexRows(list, pane);
        return;
    }
    for (const DIFF_BLOCK* block : list.Blocks()) {
        if (!WriteTextBlock(*block, pane))
            return;
    }
}

bool CHtmlListing::RoomForRow(int columns)
{
    if (tableRows_ < mostRows_) {
        ++tableRows_;
        ++rows_;
        return true;
    }
    if (!tableCut_) {
        out_.Append("<tr><td class=\"cut\" colspan=\"");
        out_.AppendNumber(columns);
        out_.Append("\">The listing stops here: the rest is longer than this page shows.</td></tr>\n");
    }
    cut_ = true;
    tableCut_ = true;
    return false;
}

// A Common block shows the lines of the file the table is for (the first one
// in the composite table); any other block the lines of its own file.
bool CHtmlListing::WriteTextBlock(const DIFF_BLOCK& block, int pane)
{
    const int side = block.IsCommon() ? std::max(pane, 0) : block.side();
    const int columns = pane < 0 ? 4 : 3;
    for (int offset = 0; offset < block.length; ++offset) {
        if (!RoomForRow(columns))
            return false;
        row_ = "<tr>";
        WriteLineNumbers(block, offset, pane);
        WriteMarker(block, offset);
        WriteLineText(block, side, block.PosIn(side) + offset, offset);
        row_ += "</tr>\n";
        out_.Append(row_);
    }
    return true;
}

void CHtmlListing::WriteLineNumbers(const DIFF_BLOCK& block, int offset, int pane)
{
    const auto number = [&](bool shown, int side) {
        row_ += "<td class=\"n\">";
        if (shown)
            row_ += std::to_string(static_cast<long long>(block.PosIn(side)) + offset + 1);
        row_ += "</td>";
    };
    if (pane >= 0) {
        number(true, block.IsCommon() ? pane : block.side());
        return;
    }
    number(block.IsCommon() || block.side() == 0, 0);
    number(block.IsCommon() || block.side() == 1, 1);
}

// The first row of a moved block carries its anchor and links to the other
// half: from where content moved away to where it moved in, and back.
void CHtmlListing::WriteMarker(const DIFF_BLOCK& block, int offset)
{
    const ContentKind kind = CAppearanceSettings::KindOf(block);
    row_ += "<td class=\"m ";
    row_ += KindClass(block);
    row_ += "\">";
    const DIFF_BLOCK* partner =
        block.kind == BlockKind::Moved && offset == 0 ? partners_.PartnerOf(&block) : nullptr;
    if (partner) {
        AppendMovedLink(block, *partner);
        row_ += kMarkers[IndexOf(kind)];
        row_ += "</a>";
    } else {
        row_ += kMarkers[IndexOf(kind)];
    }
    row_ += "</td>";
}

void CHtmlListing::AppendMovedLink(const DIFF_BLOCK& block, const DIFF_BLOCK& partner)
{
    const bool hex = doc_.firstBuf()->type() == CDiffBuf::Binary;
    row_ += "<a class=\"moved\" id=\"";
    row_ += MovedAnchor(block, block.side());
    row_ += "\" href=\"#";
    row_ += MovedAnchor(partner, partner.side());
    row_ += "\" title=\"";
    row_ += block.side() == 0 ? "moved to " : "moved from ";
    if (hex) {
        row_ += "offset ";
        row_ += CHexFormat::FormatOffset(static_cast<unsigned int>(partner.pos()))
                    .trimmed()
                    .chopped(1)
                    .toStdString();
    } else {
        row_ += "line ";
        row_ += std::to_string(static_cast<long long>(partner.pos()) + 1);
    }
    row_ += block.side() == 0 ? " of the new file\">" : " of the old file\">";
}

std::string CHtmlListing::MovedAnchor(const DIFF_BLOCK& block, int side) const
{
    std::string anchor = anchors_;
    anchor += "moved-";
    anchor += std::to_string(block.id);
    anchor += side == 0 ? "-away" : "-in";
    return anchor;
}

void CHtmlListing::WriteLineText(const DIFF_BLOCK& block, int side, int line, int offset)
{
    // Only text files come here; a line past the buffer's end shows empty, as
    // in the window.
    const auto& buffer = static_cast<const CTextBuf&>(side == 0 ? *doc_.firstBuf() : *doc_.secondBuf());
    int length = 0;
    const char* bytes = line < buffer.GetCount() ? buffer.GetLine(line, &length) : "";
    const std::string_view text(bytes, static_cast<std::size_t>(length));
    const bool utf8 = CTextBuf::IsValidUtf8(text.data(), text.size());
    const int tabSize = look_.GetTabSize();
    row_ += "<td class=\"t ";
    row_ += KindClass(block);
    row_ += "\">";
    const std::vector<LineChanges::Span> spans = ChangesOf(block, offset);
    std::size_t written = 0;
    for (const LineChanges::Span& span : spans) {
        const std::size_t start = std::max(CharacterEdge(text, span.start, utf8), written);
        const std::size_t end = std::max(CharacterEdge(text, span.start + span.length, utf8), start);
        CHtmlText::AppendLine(row_, text.substr(written, start - written), utf8, tabSize);
        if (end > start) {
            row_ += "<span class=\"c\">";
            CHtmlText::AppendLine(row_, text.substr(start, end - start), utf8, tabSize);
            row_ += "</span>";
        }
        written = end;
    }
    CHtmlText::AppendLine(row_, text.substr(written), utf8, tabSize);
    row_ += "</td>";
}

// As the window pairs them: the i-th line of a removed block with the i-th
// line of the added block opposite it.
std::vector<LineChanges::Span> CHtmlListing::ChangesOf(const DIFF_BLOCK& block, int offset) const
{
    const std::optional<CBlockPartners::LINE_PAIR> lines =
        partners_.OppositeLines(doc_, block, offset);
    if (!lines)
        return {};
    LineChanges changes = FindLineChanges(lines->first, lines->second, doc_.settings.ignoreCase,
                                          doc_.settings.ignoreBlanks);
    return block.side() == 0 ? std::move(changes.first) : std::move(changes.second);
}

// Hex rows as the window lays them out: the content of the list's blocks one
// after the other, a row of bytes at a time, so that a row can hold the end
// of one block and the start of the next, each in its own colours.
void CHtmlListing::WriteHexRows(const CBlockList& list, int pane)
{
    const int perRow = look_.ShownBytesPerRow();
    const int columns = 1 + (look_.GetShowIndex() ? 1 : 0) + (look_.GetShowAscii() ? 1 : 0);
    int filled = 0;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        const int side = block->IsCommon() ? std::max(pane, 0) : block->side();
        const CDiffBuf* source = side == 0 ? doc_.firstBuf() : doc_.secondBuf();
        const auto* bytes = reinterpret_cast<const unsigned char*>(source->data());
        const long long end = static_cast<long long>(block->PosIn(side)) + block->length;
        for (long long p = block->PosIn(side); p < end;) {
            const int n = static_cast<int>(std::min<long long>(end - p, perRow - filled));
            if (filled == 0) {
                if (!RoomForRow(columns))
                    return;
                BeginHexRow(p);
            }
            // A block that points past its buffer's end shows nothing of it,
            // as in the window.
            if (p >= 0 && p + n <= source->GetCount())
                WriteHexPiece(*block, bytes + p, n, p == block->PosIn(side));
            p += n;
            filled += n;
            if (filled == perRow) {
                EndHexRow();
                filled = 0;
            }
        }
    }
    if (filled > 0)
        EndHexRow();
}

void CHtmlListing::BeginHexRow(long long offset)
{
    row_ = "<tr>";
    if (look_.GetShowIndex()) {
        row_ += "<td class=\"n\">";
        row_ += CHexFormat::FormatOffset(static_cast<unsigned int>(offset)).toStdString();
        row_ += "</td>";
    }
    hexColumn_.clear();
    charColumn_.clear();
}

void CHtmlListing::EndHexRow()
{
    row_ += "<td class=\"h\">";
    row_ += hexColumn_;
    row_ += "</td>";
    if (look_.GetShowAscii()) {
        row_ += "<td class=\"a\">";
        row_ += charColumn_;
        row_ += "</td>";
    }
    row_ += "</tr>\n";
    out_.Append(row_);
}

void CHtmlListing::WriteHexPiece(const DIFF_BLOCK& block, const unsigned char* bytes, int count,
                                 bool blockStart)
{
    const DIFF_BLOCK* partner =
        block.kind == BlockKind::Moved && blockStart ? partners_.PartnerOf(&block) : nullptr;
    std::string open = "<span class=\"";
    open += KindClass(block);
    open += "\">";
    if (partner) {
        // The link goes round the hex digits, so the anchor stands where the
        // block starts.
        std::swap(row_, hexColumn_);
        AppendMovedLink(block, *partner);
        std::swap(row_, hexColumn_);
    }
    hexColumn_ += open;
    hexColumn_ += CHexFormat::FormatHexBytes(bytes, count).toStdString();
    hexColumn_ += "</span>";
    if (partner)
        hexColumn_ += "</a>";
    charColumn_ += open;
    CHtmlText::AppendEscaped(charColumn_,
                             CHexFormat::FormatAsciiBytes(bytes, count).toUtf8().toStdString());
    charColumn_ += "</span>";
}
