#include "report/html_text.h"

#include "engine/text_buf.h"
#include "report/visible_text.h"

#include <algorithm>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the UTF-8 sequence that starts with lead; 1 for a byte that
// starts none, which the decoding here never produces.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

bool IsNonCharacter(std::string_view sequence)
{
    return sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
}

void AppendLatin1(std::string& out, unsigned char byte)
{
    if (byte < 0x80) {
        out += static_cast<char>(byte);
        return;
    }
    out += static_cast<char>(0xC0 | (byte >> 6));
    out += static_cast<char>(0x80 | (byte & 0x3F));
}

} // namespace

void CHtmlText::AppendEscaped(std::string& out, std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        switch (byte) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
        case '\n':
            out += static_cast<char>(byte);
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            if (byte < 0x20) {
                out += kReplacement;
            } else if (byte < 0x80) {
                out += static_cast<char>(byte);
            } else {
                const std::size_t length = std::min(SequenceLength(byte), utf8.size() - at);
                const std::string_view sequence = utf8.substr(at, length);
                out += IsNonCharacter(sequence) ? kReplacement : sequence;
                at += length;
                continue;
            }
        }
        ++at;
    }
}

std::string CHtmlText::Escaped(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    AppendEscaped(out, utf8);
    return out;
}

std::string CHtmlText::Decoded(std::string_view bytes)
{
    if (CTextBuf::IsValidUtf8(bytes.data(), bytes.size()))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        AppendLatin1(out, static_cast<unsigned char>(c));
    return out;
}

void CHtmlText::AppendLine(std::string& out, std::string_view bytes, bool utf8, int tabSize)
{
    std::string text;
    if (utf8) {
        text.assign(bytes);
    } else {
        text.reserve(bytes.size() * 2);
        for (const char c : bytes)
            AppendLatin1(text, static_cast<unsigned char>(c));
    }
    if (text.find('\t') != std::string::npos) {
        const std::string blanks(static_cast<std::size_t>(std::max(tabSize, 0)), ' ');
        std::string widened;
        widened.reserve(text.size() + blanks.size() * 4);
        for (const char c : text) {
            if (c == '\t')
                widened += blanks;
            else
                widened += c;
        }
        text.swap(widened);
    }
    AppendEscaped(out, text);
}

std::string CHtmlText::Name(std::string_view bytes)
{
    return Escaped(CVisibleText::Escaped(Decoded(bytes)));
}
