#pragma once

// The display options the Properties dialog edits beside the comparison
// settings: how text rows are laid out and what a hex row shows.
struct DisplayValues
{
    int tabSize = 4;
    int bytesPerRow = 10;
    bool showIndex = true;
    bool showAscii = true;

    friend bool operator==(const DisplayValues&, const DisplayValues&) = default;
};
