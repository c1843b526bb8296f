#include "report/dir_text_report.h"

#include "directory/dir_node_list.h"
#include "directory/dir_composite.h"
#include "report/dir_counts.h"
#include "report/output_buffer.h"

#include <string_view>

namespace {

// Per status, in the order of its numbers (Old, New, Modified, Normal): the
// marker that starts a line and its colour on a terminal, red and green as
// for removed and added lines, yellow for what is in both but differs.
constexpr std::string_view kMarkers[] = {"- ", "+ ", "M ", "  "};
constexpr std::string_view kColors[] = {"\033[31m", "\033[32m", "\033[33m", ""};
constexpr std::string_view kColorEnd = "\033[m";

std::size_t IndexOf(DirNodeStatus status)
{
    return static_cast<std::size_t>(status);
}

} // namespace

CDirTextReport::CDirTextReport(COutputBuffer& out, bool color, bool brief)
    : out_(out), color_(color), brief_(brief)
{
}

void CDirTextReport::Write(const CDirNodeList& first, const CDirNodeList& second)
{
    const CDirComposite composite(first, second);
    for (const CDirComposite::ENTRY& entry : composite.Entries()) {
        if (!brief_ || entry.Node().status != DirNodeStatus::Normal)
            WriteEntry(entry.Node());
    }
    WriteSummary(first, second);
}

void CDirTextReport::WriteEntry(const CDirNode& node)
{
    const bool colored = color_ && node.status != DirNodeStatus::Normal;
    if (colored)
        out_.Append(kColors[IndexOf(node.status)]);
    out_.Append(kMarkers[IndexOf(node.status)]);
    WriteName(node.name);
    if (!node.isFile)
        out_.Append('/');
    if (colored)
        out_.Append(kColorEnd);
    out_.Append('\n');
}

// A name is written as its bytes, except that control bytes (a line feed
// above all) show as "?", as ls shows them, so that every entry keeps to one
// line. The JSON report has the exact names.
void CDirTextReport::WriteName(const std::string& name)
{
    std::size_t start = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (byte < 0x20 || byte == 0x7f) {
            out_.Append(std::string_view(name).substr(start, at - start));
            out_.Append('?');
            start = at + 1;
        }
    }
    out_.Append(std::string_view(name).substr(start));
}

void CDirTextReport::WriteSummary(const CDirNodeList& first, const CDirNodeList& second)
{
    const CDirCounts counts(first, second);
    out_.AppendNumber(counts.identical);
    out_.Append(" identical, ");
    out_.AppendNumber(counts.modified);
    out_.Append(" modified, ");
    out_.AppendNumber(counts.removed);
    out_.Append(" removed, ");
    out_.AppendNumber(counts.added);
    out_.Append(" added entries\n");
}
