#include "report/dir_report_run.h"

#include "directory/dir_comparison.h"
#include "directory/paths_overlap.h"
#include "directory/sync_dir_user_seam.h"
#include "report/command_line.h"
#include "report/dir_json_report.h"
#include "report/dir_text_report.h"
#include "report/exit_status.h"
#include "report/output_buffer.h"
#include "report/progress_line.h"

#include <cerrno>
#include <unistd.h>

int CDirReportRun::Run(const CCommandLine& options)
{
    const std::string& firstPath = options.paths[0];
    const std::string& secondPath = options.paths[1];
    // A tree inside the other would be scanned as part of it: every entry of
    // the inner one would show up twice.
    if (DirectoriesOverlap(firstPath, secondPath))
        return CExitStatus::Fail("Overlapping directories cannot be compared!");

    CProgressLine progress(::isatty(STDERR_FILENO) != 0);
    CSyncDirUserSeam seam([&progress](int permille) { progress.Show(permille); });
    CDirComparison comparison(seam);
    const bool compared = comparison.RunDirComparison(firstPath, secondPath);
    progress.Clear();
    if (!compared)
        return CExitStatus::Fail("Failed to compare directories!");

    COutputBuffer out(STDOUT_FILENO);
    if (options.format == CCommandLine::Format::Json) {
        CDirJsonReport(out).Write(comparison.firstList(), comparison.secondList(),
                                  comparison.dirsIdentical);
    } else {
        CDirTextReport(out, options.UseColor(), options.brief)
            .Write(comparison.firstList(), comparison.secondList());
    }
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    return comparison.dirsIdentical ? CExitStatus::Same : CExitStatus::Different;
}
