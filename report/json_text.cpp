#include "report/json_text.h"

#include "report/output_buffer.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool InRange(unsigned char byte, unsigned char least, unsigned char most)
{
    return byte >= least && byte <= most;
}

// A control byte, the quote and the backslash need an escape in any JSON
// string.
bool NeedsEscape(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
}

} // namespace

// Runs of bytes that need no escape are copied whole: a report of a hundred
// thousand names should not cost a call per byte.
void CJsonText::AppendString(COutputBuffer& out, std::string_view utf8)
{
    out.Append('"');
    std::size_t start = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if (NeedsEscape(utf8[at])) {
            out.Append(utf8.substr(start, at - start));
            AppendEscape(out, utf8[at]);
            start = at + 1;
        }
    }
    out.Append(utf8.substr(start));
    out.Append('"');
}

void CJsonText::AppendBytes(COutputBuffer& out, std::string_view bytes)
{
    out.Append('"');
    std::size_t start = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const char c = bytes[at];
        const auto byte = static_cast<unsigned char>(c);
        // How many bytes go out as they are from here: none when this byte
        // needs an escape.
        const std::size_t plain =
            byte < 0x80 ? (NeedsEscape(c) ? 0 : 1) : Utf8SequenceLength(bytes.substr(at));
        if (plain > 0) {
            at += plain;
            continue;
        }
        out.Append(bytes.substr(start, at - start));
        if (byte < 0x80) {
            AppendEscape(out, c);
        } else {
            out.Append("\\udc");
            out.Append(kHexDigits[byte >> 4]);
            out.Append(kHexDigits[byte & 0xf]);
        }
        start = ++at;
    }
    out.Append(bytes.substr(start));
    out.Append('"');
}

// The well-formed sequences of the Unicode standard (its table 3-7): no
// overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t CJsonText::Utf8SequenceLength(std::string_view bytes)
{
    auto at = [&bytes](std::size_t index) {
        return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0;
    };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    // The allowed range of the byte after the lead, and the sequence length.
    unsigned char least = 0x80;
    unsigned char most = 0xbf;
    std::size_t length = 0;
    if (InRange(lead, 0xc2, 0xdf)) {
        length = 2;
    } else if (InRange(lead, 0xe0, 0xef)) {
        length = 3;
        if (lead == 0xe0)
            least = 0xa0;
        else if (lead == 0xed)
            most = 0x9f;
    } else if (InRange(lead, 0xf0, 0xf4)) {
        length = 4;
        if (lead == 0xf0)
            least = 0x90;
        else if (lead == 0xf4)
            most = 0x8f;
    } else {
        return 0;
    }
    if (!InRange(at(1), least, most))
        return 0;
    for (std::size_t index = 2; index < length; ++index) {
        if (!InRange(at(index), 0x80, 0xbf))
            return 0;
    }
    return length;
}

void CJsonText::AppendEscape(COutputBuffer& out, char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
        out.Append('\\');
        out.Append(c);
    } else if (c == '\n') {
        out.Append("\\n");
    } else {
        out.Append("\\u00");
        out.Append(kHexDigits[byte >> 4]);
        out.Append(kHexDigits[byte & 0xf]);
    }
}
