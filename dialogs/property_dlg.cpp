#include "dialogs/property_dlg.h"

#include "dialogs/number_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include <array>
#include <climits>

namespace {

QLineEdit* AddEdit(QFormLayout* form, const QString& label, const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    form->addRow(label, edit);
    return edit;
}

QCheckBox* AddCheckBox(QFormLayout* form, const QString& text, const char* name)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    form->addRow(box);
    return box;
}

} // namespace

CPropertyDlg::CPropertyDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Properties"));

    auto* textGroup = new QGroupBox(QStringLiteral("Text File Settings"));
    auto* textForm = new QFormLayout(textGroup);
    txtBlockSizeEdit_ = AddEdit(textForm, QStringLiteral("Block Size:"), "txtBlockSize");
    txtLimitEdit_ = AddEdit(textForm, QStringLiteral("Limit:"), "txtLimit");
    tabSizeEdit_ = AddEdit(textForm, QStringLiteral("Tab Size:"), "tabSize");
    ignoreCaseBox_ = AddCheckBox(textForm, QStringLiteral("Ignore Case"), "ignoreCase");
    ignoreBlanksBox_ = AddCheckBox(textForm, QStringLiteral("Ignore Blanks"), "ignoreBlanks");

    auto* binaryGroup = new QGroupBox(QStringLiteral("Binary File Settings"));
    auto* binaryForm = new QFormLayout(binaryGroup);
    binBlockSizeEdit_ = AddEdit(binaryForm, QStringLiteral("Block Size:"), "binBlockSize");
    binLimitEdit_ = AddEdit(binaryForm, QStringLiteral("Limit:"), "binLimit");
    bytesPerRowEdit_ = AddEdit(binaryForm, QStringLiteral("Bytes per row:"), "bytesPerRow");
    showIndexBox_ = AddCheckBox(binaryForm, QStringLiteral("Show Index"), "showIndex");
    showAsciiBox_ = AddCheckBox(binaryForm, QStringLiteral("Show ASCII"), "showAscii");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropertyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertyDlg::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(textGroup);
    groups->addWidget(binaryGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPropertyDlg::showEvent(QShowEvent* event)
{
    // A window restored from the task bar is shown again too; only the
    // dialog's own showing starts the controls over.
    if (!event->spontaneous())
        LoadControls();
    QDialog::showEvent(event);
}

void CPropertyDlg::LoadControls()
{
    showIndexBox_->setChecked(showIndex != 0);
    binBlockSizeEdit_->setText(QString::number(binBlockSize));
    txtBlockSizeEdit_->setText(QString::number(txtBlockSize));
    bytesPerRowEdit_->setText(QString::number(bytesPerRow));
    tabSizeEdit_->setText(QString::number(tabSize));
    ignoreBlanksBox_->setChecked(ignoreBlanks != 0);
    ignoreCaseBox_->setChecked(ignoreCase != 0);
    showAsciiBox_->setChecked(showAscii != 0);
    binLimitEdit_->setText(QString::number(binLimit));
    txtLimitEdit_->setText(QString::number(txtLimit));
}

void CPropertyDlg::accept()
{
    using Sign = CNumberText::Sign;
    struct NUMBER_FIELD
    {
        QLineEdit* edit;
        Sign sign;
        int minimum;
        int maximum;
        int* field;
    };
    // In the order the fields are listed, so that the first faulty box is
    // the one named.
    const std::array<NUMBER_FIELD, 6> numbers = {{
        {binBlockSizeEdit_, Sign::Unsigned, kMinBlockSize, kMaxBlockSize, &binBlockSize},
        {txtBlockSizeEdit_, Sign::Unsigned, kMinBlockSize, kMaxBlockSize, &txtBlockSize},
        {bytesPerRowEdit_, Sign::Signed, kMinBytesPerRow, kMaxBytesPerRow, &bytesPerRow},
        {tabSizeEdit_, Sign::Signed, kMinTabSize, kMaxTabSize, &tabSize},
        {binLimitEdit_, Sign::Unsigned, 0, INT_MAX, &binLimit},
        {txtLimitEdit_, Sign::Unsigned, 0, INT_MAX, &txtLimit},
    }};
    std::array<int, numbers.size()> values{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const NUMBER_FIELD& number = numbers[i];
        const CNumberText::RESULT read =
            CNumberText::Read(number.edit->text(), number.sign, number.minimum, number.maximum);
        if (!read.ok) {
            ShowPrompt(read.prompt);
            number.edit->setFocus();
            number.edit->selectAll();
            return;
        }
        values[i] = read.value;
    }
    for (std::size_t i = 0; i < numbers.size(); ++i)
        *numbers[i].field = values[i];
    showIndex = showIndexBox_->isChecked() ? 1 : 0;
    ignoreBlanks = ignoreBlanksBox_->isChecked() ? 1 : 0;
    ignoreCase = ignoreCaseBox_->isChecked() ? 1 : 0;
    showAscii = showAsciiBox_->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CPropertyDlg::ShowPrompt(const QString& prompt)
{
    CNumberText::ShowPromptBox(this, prompt);
}
