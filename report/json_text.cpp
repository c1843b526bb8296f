#include "report/json_text.h"

#include "engine/text_buf.h"
#include "report/output_buffer.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

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
            byte < 0x80 ? (NeedsEscape(c) ? 0 : 1)
                        : CTextBuf::Utf8SequenceLength(bytes.data() + at, bytes.size() - at);
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
