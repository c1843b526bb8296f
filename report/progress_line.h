#pragma once

#include <chrono>

// The "Comparing... 45.3%" line on standard error. It appears only on a
// terminal and only once a comparison has taken about a second, so quick runs
// and redirected output stay clean.
class CProgressLine
{
public:
    // Starts the clock; enabled says whether standard error is a terminal.
    explicit CProgressLine(bool enabled);

    void Show(int permille);
    // Removes the line if it was shown.
    void Clear();

private:
    static constexpr std::chrono::milliseconds kQuietTime{1000};

    bool enabled_;
    // The value on the line, or -1 while no line is shown; an unchanged value
    // is not written again.
    int shownPermille_ = -1;
    std::chrono::steady_clock::time_point start_;
};
