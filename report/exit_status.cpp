#include "report/exit_status.h"

#include "report/visible_text.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

// A message names paths, which may hold any byte: on a terminal each stays
// on its one line.
int CExitStatus::Fail(const std::string& message)
{
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    const std::string line = terminal ? CVisibleText::Escaped(message) : message;
    std::fprintf(stderr, "varnel: %s\n", line.c_str());
    return Trouble;
}

int CExitStatus::Fail(const std::string& message, const std::string& reason)
{
    return Fail(reason.empty() ? message : message + " (" + reason + ")");
}

int CExitStatus::FailedToWrite(int errorNumber)
{
    return Fail(std::string("cannot write the report: ") + std::strerror(errorNumber));
}
