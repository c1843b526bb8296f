#include "report/dir_html_report.h"

#include "directory/dir_composite.h"
#include "directory/dir_node_list.h"
#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "report/block_counts.h"
#include "report/dir_counts.h"
#include "report/html_listing.h"
#include "report/html_page.h"
#include "report/html_report.h"
#include "report/html_text.h"
#include "report/output_buffer.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace {

// Per status, in the order of its numbers (Old, New, Modified, Normal).
constexpr std::string_view kStatusTexts[] = {"only in old", "only in new", "modified",
                                             "identical"};

std::size_t IndexOf(DirNodeStatus status)
{
    return static_cast<std::size_t>(status);
}

int DepthOf(const std::string& name)
{
    return static_cast<int>(std::count(name.begin(), name.end(), '/'));
}

std::string LastPart(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string FailureNote(const QStringList& messages)
{
    std::string note = "Could not be compared: ";
    note += messages.isEmpty() ? std::string("failed to read")
                               : messages.constLast().trimmed().toStdString();
    return note;
}

long long SizeOf(const std::string& path)
{
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

} // namespace

CDirHtmlReport::CDirHtmlReport(COutputBuffer& out, const CAppearanceSettings& look,
                               const ComparisonSettings& settings, bool sideBySide)
    : out_(out), look_(look), settings_(settings), sideBySide_(sideBySide)
{
}

void CDirHtmlReport::Write(const CDirNodeList& first, const CDirNodeList& second)
{
    CHtmlPage page(out_, look_);
    page.Begin("Varnel: comparison of two directories");
    page.WritePaths(first.rootPath, second.rootPath);
    if (!settings_.exclude.empty()) {
        std::string excluded = "Left out: ";
        excluded += settings_.exclude;
        page.WriteParagraph("options", excluded);
    }
    page.WriteParagraph("summary", CDirCounts(first, second).Sentence());
    WriteTree(first, second);
    out_.Append("<h2>Modified files</h2>\n");
    const CDirComposite composite(first, second);
    int section = 0;
    for (const CDirComposite::ENTRY& entry : composite.Entries()) {
        if (HasSection(entry.Node()))
            WriteSection(first, second, entry.Node(), section++);
    }
    if (section == 0)
        WriteNote("No file differs.");
    page.End();
}

bool CDirHtmlReport::HasSection(const CDirNode& node)
{
    return node.isFile && node.status == DirNodeStatus::Modified && node.counterpart &&
           node.kind == DirFileKind::Regular && node.counterpart->kind == DirFileKind::Regular &&
           node.error == 0 && node.counterpart->error == 0;
}

std::string CDirHtmlReport::SectionId(int section)
{
    std::string id = "file-";
    id += std::to_string(section);
    return id;
}

void CDirHtmlReport::WriteTree(const CDirNodeList& first, const CDirNodeList& second)
{
    out_.Append("<table class=\"tree\">\n");
    const CDirComposite composite(first, second);
    int section = 0;
    for (const CDirComposite::ENTRY& entry : composite.Entries()) {
        const CDirNode& node = entry.Node();
        WriteEntry(node, HasSection(node) ? section++ : -1);
    }
    out_.Append("</table>\n");
}

// One row: the icon and name indented by the entry's depth, its status, and
// for a modified file a link to its section.
void CDirHtmlReport::WriteEntry(const CDirNode& node, int section)
{
    std::string row = "<tr><td class=\"name\" style=\"padding-left: ";
    row += std::to_string(DepthOf(node.name) * 2);
    row += "ch\"><span class=\"icon s";
    row += std::to_string(IndexOf(node.status));
    row += node.isFile ? "\"></span>" : " dir\"></span>";
    if (section >= 0) {
        row += "<a href=\"#";
        row += SectionId(section);
        row += "\">";
    }
    row += CHtmlText::Name(LastPart(node.name));
    if (!node.isFile)
        row += '/';
    if (section >= 0)
        row += "</a>";
    row += "</td><td class=\"status\">";
    row += kStatusTexts[IndexOf(node.status)];
    const int error = node.error ? node.error : node.counterpart ? node.counterpart->error : 0;
    if (error) {
        row += ", could not be read: ";
        row += CHtmlText::Escaped(std::strerror(error));
    }
    row += "</td></tr>\n";
    out_.Append(row);
}

// The summary line names the file and, once it is compared, its counts, so
// that the closed sections already say how much each file changed.
void CDirHtmlReport::WriteSection(const CDirNodeList& first, const CDirNodeList& second,
                                  const CDirNode& node, int section)
{
    // A pair is named by its first tree's node.
    const std::string firstPath = first.FullPath(node);
    const std::string secondPath = second.FullPath(*node.counterpart);
    CSyncUserSeam seam;
    CDiffDoc doc(seam);
    doc.settings = settings_;
    std::string left;
    if (pageRows_ >= kMostPageRows)
        left = "Not shown: the page holds as many rows as it can already.";
    else if (std::max(SizeOf(firstPath), SizeOf(secondPath)) > kMostFileBytes)
        left = "Not shown: the files are larger than 4 MiB; compare them on their own.";
    else if (!doc.RunFileComparison(firstPath, secondPath))
        left = FailureNote(seam.Messages());

    out_.Append("<details id=\"");
    out_.Append(SectionId(section));
    out_.Append("\"><summary>");
    out_.Append(CHtmlText::Name(node.name));
    const bool binary = left.empty() && doc.firstBuf()->type() == CDiffBuf::Binary;
    if (left.empty()) {
        out_.Append(" \xE2\x80\x94 ");
        out_.Append(CBlockCounts(doc.allList()).Sentence(binary ? "bytes" : "lines"));
    }
    out_.Append("</summary>\n");
    if (!left.empty()) {
        WriteNote(left);
    } else {
        WriteNote(CHtmlReport::OptionsLine(doc));
        WriteListing(doc, section);
    }
    out_.Append("</details>\n");
}

void CDirHtmlReport::WriteListing(const CDiffDoc& doc, int section)
{
    const long long room = std::min(kMostFileRows, kMostPageRows - pageRows_);
    std::string anchors = SectionId(section);
    anchors += '-';
    CHtmlListing listing(out_, doc, look_, anchors, room);
    if (sideBySide_)
        listing.WriteSideBySide("Old", "New");
    else
        listing.WriteComposite();
    pageRows_ += listing.RowsWritten();
}

void CDirHtmlReport::WriteNote(const std::string& text)
{
    out_.Append("<p class=\"note\">");
    out_.Append(CHtmlText::Escaped(CHtmlText::Decoded(text)));
    out_.Append("</p>\n");
}
