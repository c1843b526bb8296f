#include "report/report_run.h"

#include "document/diff_doc.h"
#include "document/files_are_equal.h"
#include "document/sync_user_seam.h"
#include "report/block_counts.h"
#include "report/dir_report_run.h"
#include "report/exit_status.h"
#include "report/json_report.h"
#include "report/output_buffer.h"
#include "report/progress_line.h"
#include "report/text_report.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void WriteToStdout(const std::string& text)
{
    COutputBuffer out(STDOUT_FILENO);
    out.Append(text);
    out.Flush();
}

bool IsDirectory(const struct stat& status)
{
    return S_ISDIR(status.st_mode);
}

} // namespace

int CReportRun::Run(const std::vector<std::string>& args)
{
    CCommandLine options;
    if (!options.Parse(args))
        return CExitStatus::Fail(options.Error());
    if (options.help) {
        WriteToStdout(CCommandLine::Usage());
        return CExitStatus::Same;
    }
    if (options.version) {
        WriteToStdout(VARNEL_VERSION_TEXT "\n");
        return CExitStatus::Same;
    }
    if (options.paths.size() < 2)
        return CExitStatus::Fail("two files are needed, OLD and NEW (see varnel --help)");
    if (options.paths.size() > 2)
        return CExitStatus::Fail("too many arguments: only two files, OLD and NEW, are compared");
    return Compare(options);
}

int CReportRun::Compare(const CCommandLine& options)
{
    const std::string& oldPath = options.paths[0];
    const std::string& newPath = options.paths[1];
    bool directories = false;
    if (const std::string problem = CheckInputs(oldPath, newPath, directories); !problem.empty())
        return CExitStatus::Fail(problem);
    if (directories)
        return CDirReportRun().Run(options);

    CProgressLine progress(::isatty(STDERR_FILENO) != 0);
    CSyncUserSeam seam([&progress](int permille) { progress.Show(permille); });
    CDiffDoc doc(seam);
    doc.LoadSettings();
    ApplyOverrides(options, doc);
    const bool compared = doc.RunFileComparison(oldPath, newPath);
    progress.Clear();
    if (!compared)
        return CExitStatus::Fail(seam.Messages().constLast().trimmed().toStdString());

    const bool identical = FilesAreEqual(oldPath, newPath);
    COutputBuffer out(STDOUT_FILENO);
    if (options.format == CCommandLine::Format::Json)
        CJsonReport(out).Write(doc, seam.Messages(), identical);
    else
        CTextReport(out, options.UseColor(), options.brief).Write(doc, seam.Messages());
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    return identical || !CBlockCounts(doc.allList()).HasDifference() ? CExitStatus::Same
                                                                     : CExitStatus::Different;
}

// The checks the window makes before it compares what it was given. A path
// that cannot be examined gets the message the comparison would give it.
// directories tells whether both are directories.
std::string CReportRun::CheckInputs(const std::string& oldPath, const std::string& newPath,
                                    bool& directories)
{
    struct stat oldStatus = {};
    struct stat newStatus = {};
    if (::stat(oldPath.c_str(), &oldStatus) != 0)
        return "Failed to read " + oldPath + "!";
    if (::stat(newPath.c_str(), &newStatus) != 0)
        return "Failed to read " + newPath + "!";
    directories = IsDirectory(oldStatus) && IsDirectory(newStatus);
    if (IsDirectory(oldStatus) != IsDirectory(newStatus))
        return "Cannot compare a file to a directory!";
    return {};
}

// The options of this run replace the stored settings in the document only;
// the document is never saved here, so the store keeps what the window wrote.
void CReportRun::ApplyOverrides(const CCommandLine& options, CDiffDoc& doc)
{
    if (options.ignoreCase)
        doc.ignoreCaseSetting = *options.ignoreCase;
    if (options.ignoreBlanks)
        doc.ignoreBlanksSetting = *options.ignoreBlanks;
    if (options.blockSize) {
        doc.txtBlockSize = *options.blockSize;
        doc.binBlockSize = *options.blockSize;
    }
    if (options.limit) {
        doc.txtLimit = *options.limit;
        doc.binLimit = *options.limit;
    }
}
