#pragma once

class CCommandLine;

// The report mode for two directories: refuses directories that overlap,
// scans and compares both trees with a progress line on a terminal, and prints
// the result. The comparison options of the command line do not apply: the
// files of two trees are compared byte for byte.
class CDirReportRun
{
public:
    // options holds exactly two paths, both directories. Returns a CExitStatus.
    int Run(const CCommandLine& options);
};
