#pragma once

#include "report/command_line.h"

#include <string>
#include <vector>

class CDiffDoc;

// The report mode from command line to exit status: compares two files as the
// window would, with the stored settings and this run's overrides, or two
// directories (CDirReportRun), and prints the result to standard output.
// Trouble is one line on standard error.
class CReportRun
{
public:
    // The exit statuses, the same as diff's.
    enum ExitStatus : int
    {
        Same = 0,      // equal, or different only in ignored ways; identical trees
        Different = 1, // something removed, added, moved or modified
        Trouble = 2,   // unreadable input, overlapping directories, a bad option or argument
    };

    // args: the arguments that follow the program name.
    int Run(const std::vector<std::string>& args);

    // Whether the text report is coloured.
    static bool UseColor(CCommandLine::Color color);
    // Writes "varnel: message" to standard error; returns Trouble.
    static int Fail(const std::string& message);

private:
    int Compare(const CCommandLine& options);
    static std::string CheckInputs(const std::string& oldPath, const std::string& newPath,
                                   bool& directories);
    static void ApplyOverrides(const CCommandLine& options, CDiffDoc& doc);
};
