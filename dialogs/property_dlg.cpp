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

    auto* directoryGroup = new QGroupBox(QStringLiteral("Directory Settings"));
    auto* directoryForm = new QFormLayout(directoryGroup);
    excludeEdit_ = AddEdit(directoryForm, QStringLiteral("Exclude:"), "exclude");
    excludeEdit_->setPlaceholderText(QStringLiteral("*.o; build/; __pycache__"));
    excludeEdit_->setToolTip(
        QStringLiteral("Names of files and folders left out of both trees, separated by "
                       "\";\": shell patterns such as *.o; a pattern ending in / matches folders "
                       "only; ! in front keeps what an earlier pattern left out."));
    skipVersionControlBox_ = AddCheckBox(
        directoryForm, QStringLiteral("Skip version control folders"), "skipVersionControl");
    ignoreNameCaseBox_ = AddCheckBox(directoryForm, QStringLiteral("Match file names ignoring case"),
                                     "ignoreNameCase");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropertyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertyDlg::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(textGroup);
    groups->addWidget(binaryGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(directoryGroup);
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
    showIndexBox_->setChecked(display.showIndex);
    binBlockSizeEdit_->setText(QString::number(comparison.binBlockSize));
    txtBlockSizeEdit_->setText(QString::number(comparison.txtBlockSize));
    bytesPerRowEdit_->setText(QString::number(display.bytesPerRow));
    tabSizeEdit_->setText(QString::number(display.tabSize));
    ignoreBlanksBox_->setChecked(comparison.ignoreBlanks);
    ignoreCaseBox_->setChecked(comparison.ignoreCase);
    showAsciiBox_->setChecked(display.showAscii);
    binLimitEdit_->setText(QString::number(comparison.binLimit));
    txtLimitEdit_->setText(QString::number(comparison.txtLimit));
    excludeEdit_->setText(QString::fromStdString(comparison.exclude));
    skipVersionControlBox_->setChecked(comparison.skipVersionControl);
    ignoreNameCaseBox_->setChecked(comparison.ignoreNameCase);
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
        {binBlockSizeEdit_, Sign::Unsigned, kMinBlockSize, kMaxBlockSize, &comparison.binBlockSize},
        {txtBlockSizeEdit_, Sign::Unsigned, kMinBlockSize, kMaxBlockSize, &comparison.txtBlockSize},
        {bytesPerRowEdit_, Sign::Signed, kMinBytesPerRow, kMaxBytesPerRow, &display.bytesPerRow},
        {tabSizeEdit_, Sign::Signed, kMinTabSize, kMaxTabSize, &display.tabSize},
        {binLimitEdit_, Sign::Unsigned, 0, INT_MAX, &comparison.binLimit},
        {txtLimitEdit_, Sign::Unsigned, 0, INT_MAX, &comparison.txtLimit},
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
    display.showIndex = showIndexBox_->isChecked();
    comparison.ignoreBlanks = ignoreBlanksBox_->isChecked();
    comparison.ignoreCase = ignoreCaseBox_->isChecked();
    display.showAscii = showAsciiBox_->isChecked();
    // Kept as the user wrote it, blanks around the patterns aside, so that the
    // stored text reads back the same.
    comparison.exclude = excludeEdit_->text().trimmed().toStdString();
    comparison.skipVersionControl = skipVersionControlBox_->isChecked();
    comparison.ignoreNameCase = ignoreNameCaseBox_->isChecked();
    QDialog::accept();
}

void CPropertyDlg::ShowPrompt(const QString& prompt)
{
    CNumberText::ShowPromptBox(this, prompt);
}
