#pragma once

#include <string>

// How the program ends, as diff and cmp end: the statuses that scripts and
// git read, and the one line on standard error that goes with trouble. Every
// way out of the report mode and of the launcher goes through here.
class CExitStatus
{
public:
    enum Status : int
    {
        Same = 0,      // equal, or different only in ignored ways; identical trees
        Different = 1, // something removed, added, moved or modified
        Trouble = 2,   // unreadable input, overlapping directories, a bad option or argument
    };

    // Writes "varnel: message" to standard error, its control bytes escaped
    // on a terminal (CVisibleText); returns Trouble.
    static int Fail(const std::string& message);
    // The same with the reason the system gave after the program's message:
    // "Failed to read x! (Permission denied)". No reason, no parentheses.
    static int Fail(const std::string& message, const std::string& reason);
    // The report could not be written (a full disk, a closed pipe): errorNumber
    // is the errno of the failed write.
    static int FailedToWrite(int errorNumber);
};
