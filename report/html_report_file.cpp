#include "report/html_report_file.h"

#include "directory/dir_node_list.h"
#include "document/diff_doc.h"
#include "engine/diff_buf.h"
#include "report/dir_html_report.h"
#include "report/html_report.h"
#include "report/output_buffer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

// Writes a page to path through write; the reason of the first failure, of
// opening, writing or closing, or nothing.
std::string SavePage(const std::string& path, const std::function<void(COutputBuffer&)>& write)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::strerror(errno);
    std::string failure;
    {
        COutputBuffer out(fd);
        write(out);
        if (!out.Flush())
            failure = std::strerror(errno);
    }
    // A full disk may show only when the file is closed.
    if (::close(fd) != 0 && failure.empty())
        failure = std::strerror(errno);
    return failure;
}

} // namespace

std::string CHtmlReportFile::SaveFiles(const std::string& path, const CDiffDoc& doc,
                                       const CAppearanceSettings& look, bool sideBySide)
{
    if (!doc.firstBuf() || !doc.secondBuf())
        return "no comparison of two files is shown";
    return SavePage(path, [&](COutputBuffer& out) {
        CHtmlReport(out, look, sideBySide)
            .Write(doc, doc.firstBuf()->path(), doc.secondBuf()->path(), {});
    });
}

std::string CHtmlReportFile::SaveDirectories(const std::string& path, const CDirNodeList& first,
                                             const CDirNodeList& second,
                                             const CAppearanceSettings& look,
                                             const ComparisonSettings& settings, bool sideBySide)
{
    return SavePage(path, [&](COutputBuffer& out) {
        CDirHtmlReport(out, look, settings, sideBySide).Write(first, second);
    });
}
