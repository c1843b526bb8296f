#include "report/exit_status.h"

#include <cstdio>
#include <cstring>

int CExitStatus::Fail(const std::string& message)
{
    std::fprintf(stderr, "varnel: %s\n", message.c_str());
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
