#include "dialogs/number_text.h"

#include <QMessageBox>

#include <climits>

CNumberText::RESULT CNumberText::Read(const QString& text, Sign sign)
{
    const QString trimmed = text.trimmed();
    RESULT result;
    qsizetype at = 0;
    bool negative = false;
    if (at < trimmed.size() && trimmed[at] == QLatin1Char('+')) {
        ++at;
    } else if (sign == Sign::Signed && at < trimmed.size() && trimmed[at] == QLatin1Char('-')) {
        negative = true;
        ++at;
    }
    // Digits only, counted in a wider type so that a long number is refused
    // rather than wrapped.
    long long magnitude = 0;
    const qsizetype firstDigit = at;
    for (; at < trimmed.size(); ++at) {
        const QChar c = trimmed[at];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (at == firstDigit || at != trimmed.size() || value > INT_MAX || value < INT_MIN) {
        result.prompt = ParsePrompt(sign);
        return result;
    }
    result.ok = true;
    result.value = static_cast<int>(value);
    return result;
}

CNumberText::RESULT CNumberText::Read(const QString& text, Sign sign, int minimum, int maximum)
{
    RESULT result = Read(text, sign);
    if (result.ok && (result.value < minimum || result.value > maximum)) {
        result.ok = false;
        result.prompt = RangePrompt(minimum, maximum);
    }
    return result;
}

QString CNumberText::ParsePrompt(Sign sign)
{
    return sign == Sign::Unsigned ? QStringLiteral("Enter a positive integer.")
                                  : QStringLiteral("Enter an integer.");
}

QString CNumberText::RangePrompt(int minimum, int maximum)
{
    return QStringLiteral("Enter an integer between %1 and %2.").arg(minimum).arg(maximum);
}

void CNumberText::ShowPromptBox(QWidget* parent, const QString& prompt)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Varnel"), prompt, QMessageBox::Ok, parent);
    box.exec();
}
