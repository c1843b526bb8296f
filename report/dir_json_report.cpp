#include "report/dir_json_report.h"

#include "directory/dir_node_list.h"
#include "report/dir_counts.h"
#include "report/json_text.h"
#include "report/output_buffer.h"

#include <cstring>

namespace {

// The statuses by the names the program gives them, in the order of their
// numbers.
constexpr std::string_view kStatusNames[] = {"Old", "New", "Modified", "Normal"};

} // namespace

CDirJsonReport::CDirJsonReport(COutputBuffer& out) : out_(out) {}

void CDirJsonReport::Write(const CDirNodeList& first, const CDirNodeList& second, bool identical)
{
    out_.Append("{\n  \"mode\": \"directory\",\n");
    out_.Append(identical ? "  \"identical\": true,\n" : "  \"identical\": false,\n");
    WriteSummary(first, second);
    WriteTree("first", first, false);
    WriteTree("second", second, true);
    out_.Append("}\n");
}

void CDirJsonReport::WriteSummary(const CDirNodeList& first, const CDirNodeList& second)
{
    const CDirCounts counts(first, second);
    out_.Append("  \"summary\": {\"identical\": ");
    out_.AppendNumber(counts.identical);
    out_.Append(", \"modified\": ");
    out_.AppendNumber(counts.modified);
    out_.Append(", \"removed\": ");
    out_.AppendNumber(counts.removed);
    out_.Append(", \"added\": ");
    out_.AppendNumber(counts.added);
    out_.Append("},\n");
}

void CDirJsonReport::WriteTree(std::string_view key, const CDirNodeList& list, bool last)
{
    out_.Append("  ");
    CJsonText::AppendString(out_, key);
    out_.Append(": {\"path\": ");
    CJsonText::AppendBytes(out_, list.rootPath);
    out_.Append(", \"nodes\": [");
    const char* separator = "\n    ";
    for (const auto& node : list.Nodes()) {
        out_.Append(separator);
        WriteNode(*node);
        separator = ",\n    ";
    }
    out_.Append(list.Nodes().empty() ? "]}" : "\n  ]}");
    out_.Append(last ? "\n" : ",\n");
}

// The keys are written as they stand: they need no escape.
void CDirJsonReport::WriteNode(const CDirNode& node)
{
    out_.Append("{\"name\": ");
    CJsonText::AppendBytes(out_, node.name);
    out_.Append(node.isFile ? ", \"isFile\": true, \"status\": \""
                            : ", \"isFile\": false, \"status\": \"");
    out_.Append(kStatusNames[static_cast<std::size_t>(node.status)]);
    out_.Append("\", \"counterpart\": ");
    if (node.counterpart)
        CJsonText::AppendBytes(out_, node.counterpart->name);
    else
        out_.Append("null");
    // Only an entry that could not be read has the key, with the system's
    // reason.
    if (node.error) {
        out_.Append(", \"error\": ");
        CJsonText::AppendString(out_, std::strerror(node.error));
    }
    out_.Append('}');
}
