#pragma once

#include <QFrame>

class QCheckBox;
class QLineEdit;

// The bar under the panes that takes the text to find: Enter finds the next
// match, Shift+Enter the one before, Escape closes the bar; the buttons do
// the same with the mouse.
class CFindBar : public QFrame
{
    Q_OBJECT

public:
    explicit CFindBar(QWidget* parent = nullptr);

    // Shows the bar with its text selected, ready to be typed over.
    void Open();
    QString Text() const;
    void SetText(const QString& text);
    bool MatchCase() const;
    void SetMatchCase(bool on);

signals:
    void FindRequested(bool forwards);
    // The bar closed; the focus should go back to the panes.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Close();

    QLineEdit* edit_;
    QCheckBox* matchCase_;
};
