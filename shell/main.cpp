#include "report/report_run.h"

#include <QCoreApplication>

#include <string>
#include <vector>

// Until the window exists, every run is a report run: "varnel OLD NEW" prints
// the text report, as "varnel --report OLD NEW" does.
int main(int argc, char* argv[])
{
    // Taken before Qt sees the command line: paths are bytes and must reach
    // the comparison unchanged.
    const std::vector<std::string> args(argv + 1, argv + argc);
    QCoreApplication app(argc, argv);
    return CReportRun().Run(args);
}
