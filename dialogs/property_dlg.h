#pragma once

#include "dialogs/display_values.h"
#include "document/comparison_settings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QShowEvent;

// The Properties dialog: how files are compared (block sizes, limits, letter
// case and blanks), how text and hex rows are shown (tab size, bytes per row,
// offset and character columns), and which entries of two directories are
// compared and how their names pair. The caller sets the fields before it
// runs the dialog and reads them back when it returns Accepted; the fields
// change only then.
class CPropertyDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CPropertyDlg(QWidget* parent = nullptr);

    // The values the controls start from and, once accepted, hold.
    ComparisonSettings comparison;
    DisplayValues display;

    static constexpr int kMinBlockSize = 1;
    static constexpr int kMaxBlockSize = 100;
    static constexpr int kMinBytesPerRow = 1;
    static constexpr int kMaxBytesPerRow = 100;
    static constexpr int kMinTabSize = 1;
    static constexpr int kMaxTabSize = 16;

    // Takes the fields only when every edit box holds a number in its range;
    // otherwise the first box that does not is named by a prompt, gets the
    // focus and the dialog stays open.
    void accept() override;

protected:
    // Each time the dialog is shown its controls start from the fields.
    void showEvent(QShowEvent* event) override;
    // Tells the user what to type; a message box unless overridden.
    virtual void ShowPrompt(const QString& prompt);

private:
    void LoadControls();

    QLineEdit* txtBlockSizeEdit_;
    QLineEdit* txtLimitEdit_;
    QLineEdit* tabSizeEdit_;
    QCheckBox* ignoreCaseBox_;
    QCheckBox* ignoreBlanksBox_;
    QLineEdit* binBlockSizeEdit_;
    QLineEdit* binLimitEdit_;
    QLineEdit* bytesPerRowEdit_;
    QCheckBox* showIndexBox_;
    QCheckBox* showAsciiBox_;
    QLineEdit* excludeEdit_;
    QCheckBox* skipVersionControlBox_;
    QCheckBox* ignoreNameCaseBox_;
};
