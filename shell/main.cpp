#include "report/command_line.h"
#include "report/report_run.h"
#include "shell/kelm_app.h"
#include "views/license_view.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A window needs a display: an X or Wayland session, or a platform chosen
// explicitly (such as offscreen).
bool DisplayAvailable()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

bool WantsReport(const std::vector<std::string>& args)
{
    CCommandLine options;
    // A command line the report cannot read is answered by the report mode,
    // which names the fault on standard error.
    if (!options.Parse(args))
        return true;
    return options.reportRequested || options.help || options.version;
}

} // namespace

// "varnel OLD NEW" opens the window and returns when it closes, as git
// difftool expects; "varnel --report OLD NEW" prints the comparison instead.
int main(int argc, char* argv[])
{
    // Taken before Qt sees the command line: paths are bytes and must reach
    // the comparison unchanged.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (WantsReport(args) || !DisplayAvailable()) {
        if (!WantsReport(args))
            std::fprintf(stderr, "varnel: no display available; printing the report instead\n");
        QCoreApplication app(argc, argv);
        return CReportRun().Run(args);
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Varnel"));
    QApplication::setWindowIcon(CLicenseView::ProgramIcon(64));
    // Qt has taken its own options out of argv; what is left are the paths.
    const std::vector<std::string> paths(argv + 1, argv + argc);
    CKelmApp program;
    return program.Run(paths);
}
