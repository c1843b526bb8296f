#include "report/report_run.h"

#include "document/diff_doc.h"
#include "document/input_check.h"
#include "document/sync_user_seam.h"
#include "report/block_counts.h"
#include "report/dir_report_run.h"
#include "report/exit_status.h"
#include "report/json_report.h"
#include "report/output_buffer.h"
#include "report/progress_line.h"
#include "report/text_report.h"

#include <cerrno>
#include <unistd.h>

namespace {

void WriteToStdout(const std::string& text)
{
    COutputBuffer out(STDOUT_FILENO);
    out.Append(text);
    out.Flush();
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
    const CInputCheck inputs = CInputCheck::Check(oldPath, newPath);
    if (inputs.kind() == CInputCheck::Unusable) {
        const std::string& detail = inputs.detail();
        return CExitStatus::Fail(detail.empty() ? inputs.message()
                                                : inputs.message() + " (" + detail + ")");
    }
    if (inputs.kind() == CInputCheck::Directories)
        return CDirReportRun().Run(options);

    CProgressLine progress(::isatty(STDERR_FILENO) != 0);
    CSyncUserSeam seam([&progress](int permille) { progress.Show(permille); });
    CDiffDoc doc(seam);
    doc.settings.Load();
    // The options of this run replace the stored settings in the document
    // only; they are never saved here, so the store keeps what the window
    // wrote.
    options.ApplyOverrides(doc.settings);
    const bool compared = doc.RunFileComparison(oldPath, newPath);
    progress.Clear();
    if (!compared)
        return CExitStatus::Fail(seam.Messages().constLast().trimmed().toStdString());

    const bool identical = doc.LoadedBytesAreEqual();
    COutputBuffer out(STDOUT_FILENO);
    if (options.format == CCommandLine::Format::Json)
        CJsonReport(out).Write(doc, seam.Messages(), identical);
    else
        CTextReport(out, options.UseColor(), options.brief, ::isatty(STDOUT_FILENO) != 0)
            .Write(doc, seam.Messages());
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    return identical || !CBlockCounts(doc.allList()).HasDifference() ? CExitStatus::Same
                                                                     : CExitStatus::Different;
}
