#pragma once

#include <string>
#include <string_view>

// Text for an HTML page, written so that the page is also well-formed XML:
// only the entities &amp; &lt; &gt; &quot; and numeric references, never a
// raw markup character from an input. Nothing a file name or a line holds
// can open an element, end an attribute or start a script.
class CHtmlText
{
public:
    // UTF-8 text with its markup characters escaped. Characters XML does not
    // allow (control characters other than tab, line feed and carriage
    // return, U+FFFE and U+FFFF) are shown as the replacement character.
    static void AppendEscaped(std::string& out, std::string_view utf8);
    static std::string Escaped(std::string_view utf8);
    // Bytes of an input as the window shows them: as UTF-8 where they are
    // valid UTF-8, otherwise byte for byte as Latin-1.
    static std::string Decoded(std::string_view bytes);
    // A line of a text file as the window shows it, escaped: decoded, each
    // tab widened to tabSize blanks, and a carriage return inside the line
    // kept as a character reference, which a parser would otherwise fold into
    // a line break.
    static void AppendLine(std::string& out, std::string_view bytes, bool utf8, int tabSize);
    // A file or folder name: decoded, control bytes shown as escapes
    // (CVisibleText) so that every name keeps to its row, then escaped.
    static std::string Name(std::string_view bytes);
};
