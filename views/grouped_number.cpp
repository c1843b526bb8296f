#include "views/grouped_number.h"

#include <algorithm>

QString CGroupedNumber::Format(long long n)
{
    const bool negative = n < 0;
    // The digits of the magnitude, built from the right; unsigned so that
    // the smallest long long has a magnitude too.
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    QString reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            reversed += QLatin1Char(' ');
        reversed += QLatin1Char(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++digits;
    } while (magnitude > 0);
    if (negative)
        reversed += QLatin1Char('-');
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}
