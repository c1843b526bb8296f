#include "report/text_report.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"
#include "report/block_counts.h"
#include "report/output_buffer.h"
#include "report/visible_text.h"

#include <algorithm>
#include <string_view>

namespace {

// Per row kind, in the order of the enumeration: the marker that starts each
// row and the colour a terminal shows it in (as git and diff colour theirs).
constexpr std::string_view kMarkers[] = {"  ", "- ", "+ ", "< ", "> "};
constexpr std::string_view kColors[] = {"", "\033[31m", "\033[32m", "\033[35m", "\033[36m"};
constexpr std::string_view kColorEnd = "\033[m";

// Bytes per hex row; a row never holds bytes of two blocks.
constexpr int kBytesPerRow = 16;
constexpr char kHexDigits[] = "0123456789abcdef";

char Printable(unsigned char byte)
{
    return byte >= 0x20 && byte < 0x7f ? static_cast<char>(byte) : '.';
}

std::string_view ElementName(const CDiffDoc& doc)
{
    return doc.firstBuf()->type() == CDiffBuf::Binary ? "bytes" : "lines";
}

} // namespace

CTextReport::CTextReport(COutputBuffer& out, bool color, bool brief, bool terminal)
    : out_(out), color_(color), brief_(brief), terminal_(terminal)
{
}

void CTextReport::Write(const CDiffDoc& doc, const QStringList& messages)
{
    for (const DIFF_BLOCK* block : doc.allList().Blocks())
        WriteBlock(doc, *block);
    WriteSummary(doc);
    WriteMessages(messages);
}

CTextReport::RowKind CTextReport::KindOf(const DIFF_BLOCK& block)
{
    switch (block.kind) {
    case BlockKind::Common:
        return Same;
    case BlockKind::Unmatched:
        return block.side() == 0 ? Removed : Added;
    case BlockKind::Moved:
        break;
    }
    return block.side() == 0 ? MovedAway : MovedIn;
}

// A Common block is listed once, from the first file; any other block from the
// file it lies in.
void CTextReport::WriteBlock(const CDiffDoc& doc, const DIFF_BLOCK& block)
{
    if (brief_ && block.IsCommon())
        return;
    const bool inSecond = !block.IsCommon() && block.side() == 1;
    const CDiffBuf& buf = inSecond ? *doc.secondBuf() : *doc.firstBuf();
    const int first = block.PosIn(inSecond ? 1 : 0);
    if (buf.type() == CDiffBuf::Binary)
        WriteHexRows(buf, first, block.length, KindOf(block));
    else
        WriteLines(static_cast<const CTextBuf&>(buf), first, block.length, KindOf(block));
}

void CTextReport::WriteLines(const CTextBuf& buf, int first, int count, RowKind kind)
{
    for (int line = first; line < first + count; ++line) {
        int length = 0;
        const char* text = buf.GetLine(line, &length);
        BeginRow(kind);
        WriteLineText(std::string_view(text, static_cast<std::size_t>(length)));
        EndRow();
    }
}

// A text line holds no control byte but tab and CR (anything else makes the
// file binary); a CR inside a line would send a terminal's cursor back over
// the marker, so there it is escaped. Tabs indent and stay.
void CTextReport::WriteLineText(std::string_view line)
{
    if (!terminal_) {
        out_.Append(line);
        return;
    }
    std::size_t start = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const auto byte = static_cast<unsigned char>(line[at]);
        if (CVisibleText::NeedsEscape(byte, CVisibleText::KeepTabs)) {
            out_.Append(line.substr(start, at - start));
            out_.Append(CVisibleText::EscapeOf(byte));
            start = at + 1;
        }
    }
    out_.Append(line.substr(start));
}

void CTextReport::WriteHexRows(const CDiffBuf& buf, int first, int count, RowKind kind)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(buf.data());
    for (int offset = first; offset < first + count; offset += kBytesPerRow) {
        BeginRow(kind);
        WriteHexRow(bytes + offset, offset, std::min(kBytesPerRow, first + count - offset));
        EndRow();
    }
}

// One row: the offset in the file, the bytes in hex in two groups of eight,
// then the bytes as characters, a dot standing for any that cannot be printed.
void CTextReport::WriteHexRow(const unsigned char* bytes, int offset, int count)
{
    char row[8 + 2 + kBytesPerRow * 3 + 1 + 2 + kBytesPerRow + 1];
    char* p = row;
    for (int shift = 28; shift >= 0; shift -= 4)
        *p++ = kHexDigits[(static_cast<unsigned>(offset) >> shift) & 0xf];
    *p++ = ' ';
    *p++ = ' ';
    for (int i = 0; i < kBytesPerRow; ++i) {
        if (i == kBytesPerRow / 2)
            *p++ = ' ';
        *p++ = i < count ? kHexDigits[bytes[i] >> 4] : ' ';
        *p++ = i < count ? kHexDigits[bytes[i] & 0xf] : ' ';
        *p++ = ' ';
    }
    *p++ = ' ';
    *p++ = '|';
    for (int i = 0; i < count; ++i)
        *p++ = Printable(bytes[i]);
    *p++ = '|';
    out_.Append(std::string_view(row, static_cast<std::size_t>(p - row)));
}

void CTextReport::BeginRow(RowKind kind)
{
    if (color_ && kind != Same) {
        out_.Append(kColors[kind]);
        rowColored_ = true;
    }
    out_.Append(kMarkers[kind]);
}

void CTextReport::EndRow()
{
    if (rowColored_)
        out_.Append(kColorEnd);
    rowColored_ = false;
    out_.Append('\n');
}

void CTextReport::WriteSummary(const CDiffDoc& doc)
{
    out_.Append(CBlockCounts(doc.allList()).Sentence(ElementName(doc)));
    out_.Append('\n');
}

// The window shows some messages on two lines; here each keeps to one line, so
// that a script can tell them from each other.
void CTextReport::WriteMessages(const QStringList& messages)
{
    for (const QString& message : messages) {
        QString line = message.trimmed();
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const std::string text = line.toStdString();
        out_.Append(terminal_ ? CVisibleText::Escaped(text) : text);
        out_.Append('\n');
    }
}
