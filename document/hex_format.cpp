#include "document/hex_format.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

} // namespace

QString CHexFormat::FormatOffset(unsigned int offset)
{
    QString text(10, QLatin1Char(' '));
    for (int i = 7; i >= 0; --i) {
        text[i] = QLatin1Char(kDigits[offset & 0xFu]);
        offset >>= 4;
    }
    text[8] = QLatin1Char(':');
    return text;
}

QString CHexFormat::FormatHexBytes(const unsigned char* bytes, int count)
{
    QString text(3 * count, QLatin1Char(' '));
    for (int i = 0; i < count; ++i) {
        text[3 * i] = QLatin1Char(kDigits[bytes[i] >> 4]);
        text[3 * i + 1] = QLatin1Char(kDigits[bytes[i] & 0xF]);
    }
    return text;
}

QString CHexFormat::FormatAsciiBytes(const unsigned char* bytes, int count)
{
    QString text(2 * count, QLatin1Char(' '));
    for (int i = 0; i < count; ++i)
        text[2 * i] = bytes[i] < 0x20 ? QLatin1Char('#') : QChar(bytes[i]);
    return text;
}
