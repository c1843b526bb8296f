#include "document/input_check.h"
#include "report/command_line.h"
#include "report/exit_status.h"
#include "report/program_files.h"
#include "report/report_run.h"
#include "report/standard_streams.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
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

// Hands over to the window program with the same arguments. What the report
// would refuse about the two inputs is refused here, in the same words, before
// any window opens: a script or git sees one line and status 2 either way.
int OpenWindow(const CCommandLine& options, char* argv[])
{
    if (options.paths.size() >= 2) {
        const CInputCheck inputs = CInputCheck::Check(options.paths[0], options.paths[1]);
        if (inputs.kind() == CInputCheck::Unusable)
            return CExitStatus::Fail(inputs.message(), inputs.detail());
    }
    const std::string window = CProgramFiles::WindowProgram(CProgramFiles::OwnFolder());
    argv[0] = const_cast<char*>(window.c_str());
    ::execv(window.c_str(), argv);
    return CExitStatus::Fail("cannot start " + window, std::strerror(errno));
}

} // namespace

// "varnel OLD NEW" opens the window and returns when it closes, as git
// difftool expects; "varnel --report OLD NEW" prints the comparison instead.
int main(int argc, char* argv[])
{
    CStandardStreams::EnsureOpen();
    // Taken before Qt sees the command line: paths are bytes and must reach
    // the comparison unchanged.
    const std::vector<std::string> args(argv + 1, argv + argc);
    CCommandLine options;
    // A command line the report cannot read is answered by the report mode,
    // which names the fault on standard error.
    const bool report = !options.Parse(args) || options.reportRequested || options.help ||
                        options.version;
    if (!report && DisplayAvailable())
        return OpenWindow(options, argv);
    if (!report)
        std::fprintf(stderr, "varnel: no display available; printing the report instead\n");
    QCoreApplication app(argc, argv);
    return CReportRun().Run(args);
}
