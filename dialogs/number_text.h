#pragma once

#include <QString>

class QWidget;

// A whole number typed into a dialog's edit box, read the way every dialog of
// the program checks its input before it closes with OK: blanks around the
// number are allowed, anything else beside the digits is not. A text that is
// no number, or a number outside the field's range, gives the prompt that
// tells the user what to type instead.
class CNumberText
{
public:
    enum class Sign
    {
        // No minus sign: "Enter a positive integer." when it does not read.
        Unsigned,
        // "Enter an integer." when it does not read.
        Signed,
    };

    // The number, or the prompt when the text is refused.
    struct RESULT
    {
        bool ok = false;
        int value = 0;
        QString prompt;
    };

    // Any number that fits an int.
    static RESULT Read(const QString& text, Sign sign);
    // A number from minimum to maximum; one that reads but lies outside gives
    // the range prompt.
    static RESULT Read(const QString& text, Sign sign, int minimum, int maximum);

    static QString ParsePrompt(Sign sign);
    static QString RangePrompt(int minimum, int maximum);

    // The prompt as the program's plain message box over parent.
    static void ShowPromptBox(QWidget* parent, const QString& prompt);
};
