#include "dialogs/customize_dlg.h"
#include "tests/dialogs/test_app.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records its prompts instead of showing a message box.
class RecordingCustomizeDlg : public CCustomizeDlg
{
public:
    using CCustomizeDlg::CCustomizeDlg;

    std::vector<std::string> prompts;

protected:
    void ShowPrompt(const QString& prompt) override { prompts.push_back(prompt.toStdString()); }
};

const QStringList kFonts = {"DejaVu Sans Mono", "Arial Black",    "Courier New", "Arial",
                            "courier",          "Liberation Mono"};

QComboBox* List(const QDialog& dialog, const char* name)
{
    auto* list = dialog.findChild<QComboBox*>(QLatin1String(name));
    EXPECT_NE(list, nullptr) << name;
    return list;
}

QLineEdit* SizeEdit(const QDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("fontSize"));
}

// The current entry's text, or "(none)" when the list has no selection.
std::string Selected(const QDialog& dialog, const char* name)
{
    const QComboBox* list = List(dialog, name);
    return list->currentIndex() < 0 ? "(none)" : list->currentText().toStdString();
}

std::string Items(const QComboBox* list)
{
    std::string text;
    for (int i = 0; i < list->count(); ++i) {
        if (i > 0)
            text += '|';
        text += list->itemText(i).toStdString();
    }
    return text;
}

void Choose(const QDialog& dialog, const char* name, const char* entry)
{
    QComboBox* list = List(dialog, name);
    const int index = list->findText(QLatin1String(entry), Qt::MatchExactly);
    ASSERT_GE(index, 0) << entry;
    list->setCurrentIndex(index);
}

void Press(const QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

class CustomizeDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { TestApp(); }

    CAppearance appearance_;
};

} // namespace

TEST_F(CustomizeDlgTest, ListsShowTheSettingsInTheirOrder)
{
    RecordingCustomizeDlg dialog(appearance_, kFonts);

    EXPECT_EQ(dialog.windowTitle().toStdString(), "Customize");
    EXPECT_EQ(Items(List(dialog, "fontName")),
              "Arial|Arial Black|courier|Courier New|DejaVu Sans Mono|Liberation Mono");
    EXPECT_EQ(Selected(dialog, "fontName"), "Courier New");
    EXPECT_EQ(SizeEdit(dialog)->text().toStdString(), "12");
    const std::string colors = "System Default|White|Black|Grey|Light Grey|Red|Light Red|Green|"
                               "Light Green|Blue|Light Blue|Yellow|Light Yellow|Magenta|"
                               "Light Magenta|Cyan|Light Cyan";
    for (const char* name :
         {"normalTxtCol", "normalBgCol", "newTxtCol", "newBgCol", "oldTxtCol", "oldBgCol",
          "movedToTxtCol", "movedToBgCol", "movedFromTxtCol", "movedFromBgCol"})
        EXPECT_EQ(Items(List(dialog, name)), colors) << name;
    for (const char* name : {"newEmphasis", "oldEmphasis", "movedToEmphasis", "movedFromEmphasis"})
        EXPECT_EQ(Items(List(dialog, name)), "Normal|Bold|Italic|Strike Out") << name;
    for (const char* name :
         {"normalIconColor", "newIconColor", "oldIconColor", "modifiedIconColor"})
        EXPECT_EQ(Items(List(dialog, name)), "White|Black|Grey|Red|Green|Blue|Yellow|Magenta|Cyan")
            << name;

    EXPECT_EQ(Selected(dialog, "normalBgCol"), "System Default");
    EXPECT_EQ(Selected(dialog, "newBgCol"), "Yellow");
    EXPECT_EQ(Selected(dialog, "movedFromBgCol"), "Light Green");
    EXPECT_EQ(Selected(dialog, "oldEmphasis"), "Strike Out");
    EXPECT_EQ(Selected(dialog, "modifiedIconColor"), "Red");
}

TEST_F(CustomizeDlgTest, FaceTheSystemLacksIsListedInItsPlace)
{
    appearance_.fontName = QStringLiteral("Consolas");
    RecordingCustomizeDlg dialog(appearance_, kFonts);

    EXPECT_EQ(Items(List(dialog, "fontName")),
              "Arial|Arial Black|Consolas|courier|Courier New|DejaVu Sans Mono|Liberation Mono");

    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(appearance_.fontName.toStdString(), "Consolas");
    EXPECT_EQ(dialog.Hint(), UpdateHints());
}

TEST_F(CustomizeDlgTest, OpeningSelectsByTheStoredValue)
{
    struct CASE
    {
        const char* name;
        std::function<void(CAppearance&)> store;
        const char* list;
        std::string selected;
    };
    const std::vector<CASE> cases = {
        {"the face itself, not a longer one", [](CAppearance& a) { a.fontName = "Arial"; },
         "fontName", "Arial"},
        {"a face named in other letter case", [](CAppearance& a) { a.fontName = "COURIER"; },
         "fontName", "courier"},
        {"a face not installed is listed all the same",
         [](CAppearance& a) { a.fontName = "Consolas"; }, "fontName", "Consolas"},
        {"an emphasis of none of the four names",
         [](CAppearance& a) { a.newEmphasis = "Underline"; }, "newEmphasis", "(none)"},
        {"an emphasis in other letter case", [](CAppearance& a) { a.oldEmphasis = "bold"; },
         "oldEmphasis", "Bold"},
        {"an unknown icon colour", [](CAppearance& a) { a.newIconColor = "Orange"; },
         "newIconColor", "(none)"},
        {"an empty icon colour", [](CAppearance& a) { a.oldIconColor = ""; }, "oldIconColor",
         "(none)"},
        {"a colour index outside the palette", [](CAppearance& a) { a.newBgCol = 17; }, "newBgCol",
         "(none)"},
        {"the last palette entry", [](CAppearance& a) { a.movedToTxtCol = 16; }, "movedToTxtCol",
         "Light Cyan"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CAppearance appearance;
        c.store(appearance);
        RecordingCustomizeDlg dialog(appearance, kFonts);
        EXPECT_EQ(Selected(dialog, c.list), c.selected);
    }
}

TEST_F(CustomizeDlgTest, OkReportsWhichViewsMustRebuild)
{
    constexpr UpdateHint kLook = UpdateHint::AppearanceChanged;
    constexpr UpdateHint kIcons = UpdateHint::IconColorsChanged;
    struct CASE
    {
        const char* name;
        std::function<void(QDialog&)> edit;
        UpdateHints hints;
    };
    const std::vector<CASE> cases = {
        {"nothing changed", [](QDialog&) {}, {}},
        {"font size only", [](QDialog& d) { SizeEdit(d)->setText("14"); }, kLook},
        {"font face only", [](QDialog& d) { Choose(d, "fontName", "DejaVu Sans Mono"); }, kLook},
        {"a text colour", [](QDialog& d) { Choose(d, "oldTxtCol", "Blue"); }, kLook},
        {"a background colour", [](QDialog& d) { Choose(d, "newBgCol", "System Default"); }, kLook},
        {"an emphasis", [](QDialog& d) { Choose(d, "movedToEmphasis", "Italic"); }, kLook},
        {"an icon colour only", [](QDialog& d) { Choose(d, "newIconColor", "Cyan"); }, kIcons},
        {"an icon colour and the font size",
         [](QDialog& d) {
             Choose(d, "modifiedIconColor", "Magenta");
             SizeEdit(d)->setText("20");
         },
         kLook | kIcons},
        {"chosen back to the stored value",
         [](QDialog& d) {
             Choose(d, "newBgCol", "Red");
             Choose(d, "newBgCol", "Yellow");
         },
         {}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CAppearance appearance;
        RecordingCustomizeDlg dialog(appearance, kFonts);
        dialog.show();
        c.edit(dialog);

        Press(dialog, QDialogButtonBox::Ok);

        EXPECT_TRUE(dialog.prompts.empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Hint(), c.hints);
    }
}

TEST_F(CustomizeDlgTest, OkWritesTheChoicesBack)
{
    appearance_.movedFromEmphasis = QStringLiteral("Underline");
    RecordingCustomizeDlg dialog(appearance_, kFonts);
    dialog.show();
    Choose(dialog, "fontName", "Liberation Mono");
    SizeEdit(dialog)->setText("6");
    Choose(dialog, "normalBgCol", "White");
    Choose(dialog, "oldBgCol", "System Default");
    Choose(dialog, "movedFromTxtCol", "Light Cyan");
    Choose(dialog, "newEmphasis", "Bold");
    Choose(dialog, "oldIconColor", "Black");

    Press(dialog, QDialogButtonBox::Ok);

    EXPECT_EQ(appearance_.fontName.toStdString(), "Liberation Mono");
    EXPECT_EQ(appearance_.fontSize, 6);
    EXPECT_EQ(appearance_.normalBgCol, 1);
    EXPECT_EQ(appearance_.oldBgCol, 0);
    EXPECT_EQ(appearance_.movedFromTxtCol, 16);
    EXPECT_EQ(appearance_.newEmphasis.toStdString(), "Bold");
    EXPECT_EQ(appearance_.oldIconColor.toStdString(), "Black");
    // A list left without a selection keeps its setting as it was.
    EXPECT_EQ(appearance_.movedFromEmphasis.toStdString(), "Underline");
    EXPECT_EQ(appearance_.oldEmphasis.toStdString(), "Strike Out");
    EXPECT_EQ(dialog.Hint(), UpdateHint::AppearanceChanged | UpdateHint::IconColorsChanged);
}

TEST_F(CustomizeDlgTest, ListsWithoutSelectionKeepValidSettings)
{
    appearance_.fontName = QStringLiteral("Consolas");
    appearance_.oldBgCol = 40;
    appearance_.newTxtCol = 3;
    RecordingCustomizeDlg dialog(appearance_, kFonts);
    dialog.show();
    List(dialog, "fontName")->setCurrentIndex(-1);
    List(dialog, "newTxtCol")->setCurrentIndex(-1);

    Press(dialog, QDialogButtonBox::Ok);

    EXPECT_EQ(appearance_.fontName.toStdString(), "Consolas");
    // An index outside the palette becomes its key's default rather than
    // staying where no colour is.
    EXPECT_EQ(appearance_.oldBgCol, 7);
    EXPECT_EQ(appearance_.newTxtCol, 3);
    EXPECT_EQ(dialog.Hint(), UpdateHint::AppearanceChanged);
}

TEST_F(CustomizeDlgTest, SizeOutsideItsRangeKeepsTheDialogOpen)
{
    struct CASE
    {
        const char* text;
        std::string prompt;
    };
    const std::string range = "Enter an integer between 6 and 32.";
    const std::vector<CASE> cases = {
        {"5", range},
        {"33", range},
        {"0", range},
        {"", "Enter an integer."},
        {"abc", "Enter an integer."},
        {"99999999999", "Enter an integer."},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.text);
        CAppearance appearance;
        RecordingCustomizeDlg dialog(appearance, kFonts);
        dialog.show();
        Choose(dialog, "newIconColor", "Cyan");
        SizeEdit(dialog)->setText(QString::fromLatin1(c.text));

        Press(dialog, QDialogButtonBox::Ok);

        EXPECT_EQ(dialog.prompts, std::vector<std::string>{c.prompt});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Hint(), UpdateHints());
        EXPECT_EQ(appearance.fontSize, 12);
        EXPECT_EQ(appearance.newIconColor.toStdString(), "Yellow");
        EXPECT_EQ(SizeEdit(dialog)->selectedText().toStdString(), c.text);
    }
}

TEST_F(CustomizeDlgTest, SizesAtTheEdgesAreTaken)
{
    for (const char* text : {"6", "32", " 32 "}) {
        SCOPED_TRACE(text);
        CAppearance appearance;
        RecordingCustomizeDlg dialog(appearance, kFonts);
        dialog.show();
        SizeEdit(dialog)->setText(QString::fromLatin1(text));

        Press(dialog, QDialogButtonBox::Ok);

        EXPECT_TRUE(dialog.prompts.empty());
        EXPECT_EQ(appearance.fontSize, QString::fromLatin1(text).trimmed().toInt());
    }
}

TEST_F(CustomizeDlgTest, CancelChangesNothing)
{
    RecordingCustomizeDlg dialog(appearance_, kFonts);
    dialog.show();
    Choose(dialog, "newBgCol", "Red");
    Choose(dialog, "normalIconColor", "White");
    SizeEdit(dialog)->setText("99");

    Press(dialog, QDialogButtonBox::Cancel);

    EXPECT_TRUE(dialog.prompts.empty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Hint(), UpdateHints());
    EXPECT_EQ(appearance_.newBgCol, 11);
    EXPECT_EQ(appearance_.normalIconColor.toStdString(), "Grey");
    EXPECT_EQ(appearance_.fontSize, 12);
}
