#include "report/progress_line.h"

#include <cstdio>

CProgressLine::CProgressLine(bool enabled)
    : enabled_(enabled), start_(std::chrono::steady_clock::now())
{
}

void CProgressLine::Show(int permille)
{
    if (!enabled_ || permille == shownPermille_ ||
        std::chrono::steady_clock::now() - start_ < kQuietTime)
        return;
    std::fprintf(stderr, "\rComparing... %d.%d%%", permille / 10, permille % 10);
    std::fflush(stderr);
    shownPermille_ = permille;
}

void CProgressLine::Clear()
{
    if (shownPermille_ < 0)
        return;
    // Carriage return and erase to the end of the line: the terminal is left
    // as it was before the line appeared.
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shownPermille_ = -1;
}
