#include "report/visible_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

} // namespace

bool CVisibleText::NeedsEscape(unsigned char byte, Tabs tabs)
{
    if (byte == '\t')
        return tabs == EscapeTabs;
    return byte < 0x20 || byte == 0x7f;
}

std::string CVisibleText::EscapeOf(unsigned char byte)
{
    switch (byte) {
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    case 0x1b:
        return "\\e";
    default:
        return std::string("\\x") + kHexDigits[byte >> 4] + kHexDigits[byte & 0xf];
    }
}

std::string CVisibleText::Escaped(std::string_view bytes, Tabs tabs)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte, tabs))
            text += EscapeOf(byte);
        else
            text += c;
    }
    return text;
}
