#pragma once

#include <QString>

// A count as the user reads it: the digits in groups of three, a blank
// between the groups ("1 234 567"), whatever the desktop's language, so that
// counts read alike in every pane and message of the program.
class CGroupedNumber
{
public:
    static QString Format(long long n);
};
