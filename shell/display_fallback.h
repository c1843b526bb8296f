#pragma once

#include <string>
#include <vector>

// Qt ends the program with abort(), and a core dump, when its platform cannot
// start: a DISPLAY that names no server or one that does not answer (an ssh
// session, a stale variable), a missing platform plugin. While an object of
// this class lives, which is while the application object is being made,
// Qt's messages are held back; a fatal one is answered with one line on
// standard error, and the comparison is handed to the report, as the launcher
// does when there is no display at all. Once it is gone, the messages held
// back are let through.
class CDisplayFallback
{
public:
    // args: the program's arguments, for the report.
    explicit CDisplayFallback(std::vector<std::string> args);
    ~CDisplayFallback();
    CDisplayFallback(const CDisplayFallback&) = delete;
    CDisplayFallback& operator=(const CDisplayFallback&) = delete;

    // The one line said when the window cannot open, naming the display
    // that was asked for where there is one.
    static std::string Notice();
};
