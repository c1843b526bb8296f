#pragma once

#include "report/command_line.h"

#include <string>
#include <vector>

class CDiffDoc;

// The report mode from command line to exit status: compares two files as the
// window would, with the stored settings and this run's overrides, and prints
// the result to standard output. Trouble is one line on standard error.
class CReportRun
{
public:
    // The exit statuses, the same as diff's.
    enum ExitStatus : int
    {
        Same = 0,      // equal, or different only in ignored ways
        Different = 1, // something removed, added or moved
        Trouble = 2,   // a file that cannot be read, a bad option, a missing argument
    };

    // args: the arguments that follow the program name.
    int Run(const std::vector<std::string>& args);

private:
    int Compare(const CCommandLine& options);
    static std::string CheckInputs(const std::string& oldPath, const std::string& newPath);
    static void ApplyOverrides(const CCommandLine& options, CDiffDoc& doc);
    static bool UseColor(CCommandLine::Color color);
    static int Fail(const std::string& message);
};
