#include "report/dir_text_report.h"

#include "directory/dir_composite.h"
#include "directory/dir_node_list.h"
#include "report/dir_counts.h"
#include "report/output_buffer.h"
#include "report/visible_text.h"

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

CDirTextReport::CDirTextReport(COutputBuffer& out, bool color, bool brief, bool terminal)
    : out_(out), color_(color), brief_(brief), terminal_(terminal)
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

// A name is written as its bytes, except that on a terminal control bytes (a
// line feed above all) are escaped, so that every entry keeps to one line.
void CDirTextReport::WriteName(const std::string& name)
{
    if (!terminal_) {
        out_.Append(name);
        return;
    }
    std::size_t start = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (CVisibleText::NeedsEscape(byte, CVisibleText::EscapeTabs)) {
            out_.Append(std::string_view(name).substr(start, at - start));
            out_.Append(CVisibleText::EscapeOf(byte));
            start = at + 1;
        }
    }
    out_.Append(std::string_view(name).substr(start));
}

void CDirTextReport::WriteSummary(const CDirNodeList& first, const CDirNodeList& second)
{
    out_.Append(CDirCounts(first, second).Sentence());
    out_.Append('\n');
}
