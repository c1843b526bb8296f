#include "report/json_report.h"

#include "document/diff_doc.h"
#include "report/block_counts.h"
#include "report/json_text.h"
#include "report/output_buffer.h"

namespace {

std::string_view KindName(BlockKind kind)
{
    switch (kind) {
    case BlockKind::Common:
        return "Common";
    case BlockKind::Unmatched:
        return "Unmatched";
    case BlockKind::Moved:
        break;
    }
    return "Moved";
}

} // namespace

CJsonReport::CJsonReport(COutputBuffer& out) : out_(out) {}

void CJsonReport::Write(const CDiffDoc& doc, const QStringList& messages, bool identical)
{
    out_.Append("{\n  \"mode\": ");
    WriteString(doc.firstBuf()->type() == CDiffBuf::Binary ? "binary" : "text");
    out_.Append(",\n");
    WriteFile("first", *doc.firstBuf());
    WriteFile("second", *doc.secondBuf());
    out_.Append(identical ? "  \"identical\": true,\n" : "  \"identical\": false,\n");
    WriteSummary(doc);
    WriteMessages(messages);
    WriteBlocks(doc);
    out_.Append("}\n");
}

void CJsonReport::WriteFile(std::string_view key, const CDiffBuf& buf)
{
    out_.Append("  ");
    WriteString(key);
    out_.Append(": {\"path\": ");
    CJsonText::AppendBytes(out_, buf.path());
    WriteNumberField("count", buf.GetCount());
    out_.Append("},\n");
}

void CJsonReport::WriteSummary(const CDiffDoc& doc)
{
    const CBlockCounts counts(doc.allList());
    out_.Append("  \"summary\": {");
    out_.Append("\"identical\": ");
    out_.AppendNumber(counts.identical);
    WriteNumberField("removed", counts.removed);
    WriteNumberField("added", counts.added);
    WriteNumberField("moved", counts.moved);
    out_.Append("},\n");
}

void CJsonReport::WriteMessages(const QStringList& messages)
{
    out_.Append("  \"messages\": [");
    for (qsizetype i = 0; i < messages.size(); ++i) {
        if (i > 0)
            out_.Append(", ");
        const QByteArray text = messages[i].toUtf8();
        WriteString(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    }
    out_.Append("],\n");
}

void CJsonReport::WriteBlocks(const CDiffDoc& doc)
{
    out_.Append("  \"blocks\": [");
    const char* separator = "\n    ";
    for (const DIFF_BLOCK* block : doc.allList().Blocks()) {
        out_.Append(separator);
        WriteBlock(*block);
        separator = ",\n    ";
    }
    out_.Append(doc.allList().IsEmpty() ? "]\n" : "\n  ]\n");
}

void CJsonReport::WriteBlock(const DIFF_BLOCK& block)
{
    out_.Append("{\"id\": ");
    out_.AppendNumber(block.id);
    out_.Append(", \"kind\": ");
    WriteString(KindName(block.kind));
    WriteNumberField("length", block.length);
    if (block.IsCommon()) {
        WriteNumberField("posA", block.posA());
        WriteNumberField("posB", block.posB());
    } else {
        WriteNumberField("side", block.side());
        WriteNumberField("pos", block.pos());
    }
    out_.Append('}');
}

// Writes ", \"key\": value", the form of every field after an object's first.
void CJsonReport::WriteNumberField(std::string_view key, long long value)
{
    out_.Append(", ");
    WriteString(key);
    out_.Append(": ");
    out_.AppendNumber(value);
}

void CJsonReport::WriteString(std::string_view utf8)
{
    CJsonText::AppendString(out_, utf8);
}
