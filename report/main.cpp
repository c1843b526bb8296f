#include "report/command_line.h"
#include "report/exit_status.h"
#include "report/report_run.h"

#include <QCoreApplication>

#include <cerrno>
#include <climits>
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

bool WantsReport(const std::vector<std::string>& args)
{
    CCommandLine options;
    // A command line the report cannot read is answered by the report mode,
    // which names the fault on standard error.
    if (!options.Parse(args))
        return true;
    return options.reportRequested || options.help || options.version;
}

// The window program lies beside this one.
std::string WindowProgram()
{
    char self[PATH_MAX + 1] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, PATH_MAX);
    std::string path = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : "";
    const std::size_t slash = path.rfind('/');
    path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return path + VARNEL_WINDOW_PROGRAM;
}

} // namespace

// "varnel OLD NEW" opens the window and returns when it closes, as git
// difftool expects; "varnel --report OLD NEW" prints the comparison instead.
int main(int argc, char* argv[])
{
    // Taken before Qt sees the command line: paths are bytes and must reach
    // the comparison unchanged.
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool report = WantsReport(args);
    if (!report && DisplayAvailable()) {
        const std::string window = WindowProgram();
        argv[0] = const_cast<char*>(window.c_str());
        ::execv(window.c_str(), argv);
        std::fprintf(stderr, "varnel: cannot start %s: %s\n", window.c_str(), std::strerror(errno));
        return CExitStatus::Trouble;
    }
    if (!report)
        std::fprintf(stderr, "varnel: no display available; printing the report instead\n");
    QCoreApplication app(argc, argv);
    return CReportRun().Run(args);
}
