#pragma once

#include <cstddef>
#include <string_view>

class COutputBuffer;

// Strings of a JSON report, written straight into the output with the escapes
// JSON needs.
class CJsonText
{
public:
    // Text that is UTF-8 already: keys, fixed words, messages.
    static void AppendString(COutputBuffer& out, std::string_view utf8);
    // A path or a name as the file system holds it: bytes in no promised
    // encoding. Valid UTF-8 is written as it is; every other byte as the
    // escape \udcXX (XX its value). That keeps the report valid UTF-8 and loses
    // nothing: the escapes are the ones Python's "surrogateescape" reads back
    // into the same bytes (os.fsencode), and a name of such bytes can never be
    // mistaken for a name of real characters.
    static void AppendBytes(COutputBuffer& out, std::string_view bytes);

private:
    // The escape of a control byte, the quote or the backslash.
    static void AppendEscape(COutputBuffer& out, char c);
};
