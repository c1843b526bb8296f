#include "report/report_run.h"

#include "document/appearance_settings.h"
#include "document/diff_doc.h"
#include "document/input_check.h"
#include "document/sync_user_seam.h"
#include "report/block_counts.h"
#include "report/dir_report_run.h"
#include "report/exit_status.h"
#include "report/html_report.h"
#include "report/json_report.h"
#include "report/output_buffer.h"
#include "report/progress_line.h"
#include "report/text_report.h"

#include <cerrno>
#include <unistd.h>

namespace {

// Help and version text: when it cannot be written (standard output closed,
// a full disk) the run fails as a report that cannot be written does.
int WriteToStdout(const std::string& text)
{
    COutputBuffer out(STDOUT_FILENO);
    out.Append(text);
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    return CExitStatus::Same;
}

} // namespace

int CReportRun::Run(const std::vector<std::string>& args)
{
    CCommandLine options;
    if (!options.Parse(args))
        return CExitStatus::Fail(options.Error());
    if (options.help)
        return WriteToStdout(CCommandLine::Usage());
    if (options.version)
        return WriteToStdout(VARNEL_VERSION_TEXT "\n");
    if (options.paths.size() < 2)
        return CExitStatus::Fail("two files are needed, OLD and NEW (see varnel --help)");
    if (options.paths.size() > 2)
        return CExitStatus::Fail("too many arguments: only two files, OLD and NEW, are compared");
    return Compare(options);
}

int CReportRun::Compare(const CCommandLine& options)
{
    const CInputCheck inputs = CInputCheck::Check(options.paths[0], options.paths[1]);
    if (inputs.kind() == CInputCheck::Unusable)
        return CExitStatus::Fail(inputs.message(), inputs.detail());
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
    doc.AcceptStreamInputs(inputs.first(), inputs.second());
    const bool compared = doc.RunFileComparison(inputs.first(), inputs.second());
    progress.Clear();
    if (!compared)
        return CExitStatus::Fail(seam.Messages().constLast().trimmed().toStdString(),
                                 doc.ReadFailure());

    const bool identical = doc.LoadedBytesAreEqual();
    COutputBuffer out(STDOUT_FILENO);
    if (options.format == CCommandLine::Format::Json) {
        CJsonReport(out).Write(doc, seam.Messages(), identical);
    } else if (options.format == CCommandLine::Format::Html) {
        // The page shows the comparison in the colours the window uses.
        CAppearanceSettings look;
        look.Load();
        CHtmlReport(out, look, options.layout == CCommandLine::Layout::SideBySide)
            .Write(doc, options.paths[0], options.paths[1], seam.Messages());
    } else {
        CTextReport(out, options.UseColor(), options.brief, ::isatty(STDOUT_FILENO) != 0)
            .Write(doc, seam.Messages());
    }
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    return identical || !CBlockCounts(doc.allList()).HasDifference() ? CExitStatus::Same
                                                                     : CExitStatus::Different;
}
