#pragma once

#include "report/command_line.h"

#include <string>
#include <vector>

// The report mode from command line to exit status: compares two files as the
// window would, with the stored settings and this run's overrides, or two
// directories (CDirReportRun), and prints the result to standard output.
// Trouble is one line on standard error (CExitStatus).
class CReportRun
{
public:
    // args: the arguments that follow the program name. Returns a
    // CExitStatus.
    int Run(const std::vector<std::string>& args);

private:
    int Compare(const CCommandLine& options);
};
