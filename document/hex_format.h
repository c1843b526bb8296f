#pragma once

#include <QString>

// The three columns of a hex row as text: the offset label, the bytes as hex
// digit pairs and the bytes as characters. Each piece ends in a blank, so
// that pieces of consecutive blocks join into one row.
class CHexFormat
{
public:
    // Eight upper-case hex digits of the 32-bit offset, a colon and a blank.
    static QString FormatOffset(unsigned int offset);
    // Two upper-case hex digits and a blank per byte.
    static QString FormatHexBytes(const unsigned char* bytes, int count);
    // Each byte as its character and a blank; a control byte below 0x20 as
    // "#", so that a row never breaks or moves the text after it.
    static QString FormatAsciiBytes(const unsigned char* bytes, int count);
};
