#include "report/dir_report_run.h"

#include "directory/dir_comparison.h"
#include "directory/paths_overlap.h"
#include "directory/sync_dir_user_seam.h"
#include "document/appearance_settings.h"
#include "document/comparison_settings.h"
#include "document/input_check.h"
#include "report/command_line.h"
#include "report/dir_html_report.h"
#include "report/dir_json_report.h"
#include "report/dir_text_report.h"
#include "report/exit_status.h"
#include "report/output_buffer.h"
#include "report/progress_line.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// The report names what the window's message box leaves to the user's eye:
// the paths, and the reason given by the system.
std::string WithReason(const std::string& message, const std::string& path, int error)
{
    return message + " (" + path + ": " + std::strerror(error) + ")";
}

} // namespace

int CDirReportRun::Run(const CCommandLine& options)
{
    const std::string& firstPath = options.paths[0];
    const std::string& secondPath = options.paths[1];
    // A tree inside the other would be scanned as part of it: every entry of
    // the inner one would show up twice.
    if (DirectoriesOverlap(firstPath, secondPath))
        return CExitStatus::Fail("Overlapping directories cannot be compared! (" + firstPath +
                                 " and " + secondPath + ")");

    CProgressLine progress(::isatty(STDERR_FILENO) != 0);
    CSyncDirUserSeam seam([&progress](int permille) { progress.Show(permille); });
    CDirComparison comparison(seam);
    // The stored filter and name pairing, with this run's options over them.
    ComparisonSettings settings;
    settings.Load();
    options.ApplyOverrides(settings);
    comparison.SetOptions(settings);
    const bool compared = comparison.RunDirComparison(firstPath, secondPath);
    progress.Clear();
    if (!compared) {
        const CDirComparison::UNREADABLE& root = comparison.FailedRoot();
        if (root.path.empty())
            return CExitStatus::Fail("Failed to compare directories! (" + firstPath + " and " +
                                     secondPath + ")");
        return CExitStatus::Fail(
            WithReason("Failed to compare directories!", root.path, root.error));
    }

    COutputBuffer out(STDOUT_FILENO);
    if (options.format == CCommandLine::Format::Json) {
        CDirJsonReport(out).Write(comparison.firstList(), comparison.secondList(),
                                  comparison.dirsIdentical);
    } else if (options.format == CCommandLine::Format::Html) {
        CAppearanceSettings look;
        look.Load();
        CDirHtmlReport(out, look, settings, options.layout == CCommandLine::Layout::SideBySide)
            .Write(comparison.firstList(), comparison.secondList());
    } else {
        CDirTextReport(out, options.UseColor(), options.brief, ::isatty(STDOUT_FILENO) != 0)
            .Write(comparison.firstList(), comparison.secondList());
    }
    if (!out.Flush())
        return CExitStatus::FailedToWrite(errno);
    // As diff -r does: the comparison is printed in full, and what could not
    // be read is named after it and makes the status trouble.
    const std::vector<CDirComparison::UNREADABLE> unreadable = comparison.Unreadable();
    for (const CDirComparison::UNREADABLE& entry : unreadable) {
        CExitStatus::Fail(CInputCheck::FailedToRead(entry.path) + " (" +
                          std::strerror(entry.error) + ")");
    }
    if (!unreadable.empty())
        return CExitStatus::Trouble;
    return comparison.dirsIdentical ? CExitStatus::Same : CExitStatus::Different;
}
