#pragma once

#include <string>
#include <string_view>

// Text for a terminal: control bytes written as they are would move the
// cursor, so a name holding a line feed would break its line and a carriage
// return could overwrite the row's marker. On a terminal they are shown as
// escapes instead (\n, \r, \t, \e, and \xNN for the others and DEL); every
// other byte stays as it is. Output to a pipe or a file is never escaped: a
// script gets the bytes.
class CVisibleText
{
public:
    enum Tabs
    {
        EscapeTabs, // names and paths: a tab is as hard to see as a line feed
        KeepTabs,   // the lines of a text file, which indent with tabs
    };

    // The bytes with their control bytes escaped.
    static std::string Escaped(std::string_view bytes, Tabs tabs = EscapeTabs);
    // Whether a byte is written as an escape.
    static bool NeedsEscape(unsigned char byte, Tabs tabs);
    // The escape of one byte that needs one.
    static std::string EscapeOf(unsigned char byte);
};
