#include "dialogs/property_dlg.h"
#include "tests/dialogs/test_app.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its prompts instead of showing a message box.
class RecordingPropertyDlg : public CPropertyDlg
{
public:
    std::vector<std::string> prompts;

protected:
    void ShowPrompt(const QString& prompt) override { prompts.push_back(prompt.toStdString()); }
};

// Every field in one line, so that a whole dialog compares at once.
std::string Fields(const CPropertyDlg& d)
{
    return QStringLiteral("index %1 bin %2/%3 txt %4/%5 row %6 tab %7 blanks %8 case %9 ascii %10")
        .arg(d.display.showIndex ? 1 : 0)
        .arg(d.comparison.binBlockSize)
        .arg(d.comparison.binLimit)
        .arg(d.comparison.txtBlockSize)
        .arg(d.comparison.txtLimit)
        .arg(d.display.bytesPerRow)
        .arg(d.display.tabSize)
        .arg(d.comparison.ignoreBlanks ? 1 : 0)
        .arg(d.comparison.ignoreCase ? 1 : 0)
        .arg(d.display.showAscii ? 1 : 0)
        .toStdString();
}

class PropertyDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog_.comparison.txtBlockSize = 3;
        dialog_.comparison.binBlockSize = 12;
        dialog_.comparison.txtLimit = 500;
        dialog_.comparison.binLimit = 2000;
        dialog_.display.tabSize = 8;
        dialog_.display.bytesPerRow = 16;
        dialog_.comparison.ignoreCase = true;
        dialog_.comparison.ignoreBlanks = false;
        dialog_.display.showIndex = false;
        dialog_.display.showAscii = true;
        dialog_.comparison.exclude = "*.o; build/";
        dialog_.comparison.skipVersionControl = true;
        dialog_.comparison.ignoreNameCase = false;
        dialog_.show();
    }

    QLineEdit* Edit(const char* name) const
    {
        auto* edit = dialog_.findChild<QLineEdit*>(QLatin1String(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }

    QCheckBox* CheckBox(const char* name) const
    {
        auto* box = dialog_.findChild<QCheckBox*>(QLatin1String(name));
        EXPECT_NE(box, nullptr) << name;
        return box;
    }

    void PressOk() const
    {
        dialog_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    // Made before the dialog, which needs it.
    QApplication& app_ = TestApp();
    RecordingPropertyDlg dialog_;
};

} // namespace

TEST_F(PropertyDlgTest, ControlsStartFromTheFields)
{
    EXPECT_EQ(dialog_.windowTitle().toStdString(), "Properties");
    EXPECT_EQ(Edit("txtBlockSize")->text().toStdString(), "3");
    EXPECT_EQ(Edit("binBlockSize")->text().toStdString(), "12");
    EXPECT_EQ(Edit("txtLimit")->text().toStdString(), "500");
    EXPECT_EQ(Edit("binLimit")->text().toStdString(), "2000");
    EXPECT_EQ(Edit("tabSize")->text().toStdString(), "8");
    EXPECT_EQ(Edit("bytesPerRow")->text().toStdString(), "16");
    EXPECT_TRUE(CheckBox("ignoreCase")->isChecked());
    EXPECT_FALSE(CheckBox("ignoreBlanks")->isChecked());
    EXPECT_FALSE(CheckBox("showIndex")->isChecked());
    EXPECT_TRUE(CheckBox("showAscii")->isChecked());
    EXPECT_EQ(Edit("exclude")->text().toStdString(), "*.o; build/");
    EXPECT_TRUE(CheckBox("skipVersionControl")->isChecked());
    EXPECT_FALSE(CheckBox("ignoreNameCase")->isChecked());
}

TEST_F(PropertyDlgTest, OkTakesEveryControl)
{
    Edit("txtBlockSize")->setText(QStringLiteral("1"));
    Edit("binBlockSize")->setText(QStringLiteral("100"));
    Edit("txtLimit")->setText(QStringLiteral("0"));
    Edit("binLimit")->setText(QStringLiteral(" 2147483647 "));
    Edit("tabSize")->setText(QStringLiteral("16"));
    Edit("bytesPerRow")->setText(QStringLiteral("+1"));
    CheckBox("ignoreCase")->setChecked(false);
    CheckBox("ignoreBlanks")->setChecked(true);
    CheckBox("showIndex")->setChecked(true);
    CheckBox("showAscii")->setChecked(false);
    Edit("exclude")->setText(QStringLiteral("  __pycache__/; !keep.pyc  "));
    CheckBox("skipVersionControl")->setChecked(false);
    CheckBox("ignoreNameCase")->setChecked(true);

    PressOk();

    EXPECT_TRUE(dialog_.prompts.empty());
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(Fields(dialog_),
              "index 1 bin 100/2147483647 txt 1/0 row 1 tab 16 blanks 1 case 0 ascii 0");
    EXPECT_EQ(dialog_.comparison.exclude, "__pycache__/; !keep.pyc");
    EXPECT_FALSE(dialog_.comparison.skipVersionControl);
    EXPECT_TRUE(dialog_.comparison.ignoreNameCase);
}

TEST_F(PropertyDlgTest, RefusedInputKeepsTheDialogOpenWithItsPrompt)
{
    struct CASE
    {
        const char* edit;
        const char* text;
        std::string prompt;
    };
    const std::string positive = "Enter a positive integer.";
    const std::string integer = "Enter an integer.";
    const std::string sizes = "Enter an integer between 1 and 100.";
    const std::vector<CASE> cases = {
        {"binBlockSize", "0", sizes},
        {"binBlockSize", "101", sizes},
        {"binBlockSize", "-1", positive},
        {"txtBlockSize", "abc", positive},
        {"txtBlockSize", "", positive},
        {"txtBlockSize", "2x", positive},
        {"bytesPerRow", "-1", sizes},
        {"bytesPerRow", "0", sizes},
        {"bytesPerRow", "ten", integer},
        {"tabSize", "17", "Enter an integer between 1 and 16."},
        {"tabSize", "0", "Enter an integer between 1 and 16."},
        {"tabSize", "4.5", integer},
        {"binLimit", "-5", positive},
        {"txtLimit", "99999999999", positive},
        {"txtLimit", "12 34", positive},
    };
    const std::string before = Fields(dialog_);
    for (const CASE& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " = \"" + c.text + "\"");
        dialog_.prompts.clear();
        dialog_.setResult(QDialog::Rejected);
        QLineEdit* edit = Edit(c.edit);
        const QString good = edit->text();
        edit->setText(QString::fromLatin1(c.text));

        PressOk();

        EXPECT_EQ(dialog_.prompts, std::vector<std::string>{c.prompt});
        EXPECT_TRUE(dialog_.isVisible());
        EXPECT_NE(dialog_.result(), QDialog::Accepted);
        EXPECT_EQ(Fields(dialog_), before);
        // The faulty text is selected, ready to be typed over.
        EXPECT_EQ(edit->selectedText().toStdString(), c.text);
        edit->setText(good);
    }
}

TEST_F(PropertyDlgTest, FirstFaultyBoxInFieldOrderIsNamed)
{
    // The binary block size comes before the text block size, though the
    // text group is shown first.
    Edit("txtBlockSize")->setText(QStringLiteral("0"));
    Edit("binBlockSize")->setText(QStringLiteral("x"));
    Edit("tabSize")->setText(QStringLiteral("99"));

    PressOk();

    EXPECT_EQ(dialog_.prompts, std::vector<std::string>{"Enter a positive integer."});
    EXPECT_TRUE(Edit("binBlockSize")->hasSelectedText());
    EXPECT_FALSE(Edit("txtBlockSize")->hasSelectedText());
}

TEST_F(PropertyDlgTest, CancelLeavesTheFields)
{
    const std::string before = Fields(dialog_);
    Edit("tabSize")->setText(QStringLiteral("2"));
    CheckBox("showIndex")->setChecked(true);

    dialog_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();

    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(Fields(dialog_), before);
}
