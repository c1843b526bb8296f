#pragma once

#include "views/appearance.h"
#include "views/update_hint.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;

// The Customize dialog: the comparison font and its size, a colour scheme
// that sets every colour at once, the text colour,
// background colour and emphasis of each content kind, and the icon colour of
// each file and folder state. It edits a copy; OK writes the copy back to the
// appearance it was opened on and tells which views must rebuild, Cancel
// leaves the appearance as it was.
class CCustomizeDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 32;

    // fontNames are the faces offered, such as the installed scalable font
    // families; the list shows them sorted.
    CCustomizeDlg(CAppearance& appearance, const QStringList& fontNames, QWidget* parent = nullptr);

    // After OK, the views to rebuild: AppearanceChanged when the font, a
    // colour or an emphasis changed, IconColorsChanged when an icon colour
    // changed, both for both, none when nothing changed or the dialog was
    // cancelled.
    UpdateHints Hint() const { return hint_; }

    // Refuses a size outside 6 to 32 with a prompt and stays open; otherwise
    // takes every list that has a selection and closes.
    void accept() override;

protected:
    // Tells the user what to type; a message box unless overridden.
    virtual void ShowPrompt(const QString& prompt);

private:
    // A colour list and the colour index it edits.
    struct COLOR_LIST
    {
        QComboBox* list;
        int CAppearance::*index;
    };
    // A list of names (emphasis or icon colour), the setting it edits and
    // the hint a change of it sends.
    struct NAME_LIST
    {
        QComboBox* list;
        QString CAppearance::*name;
        UpdateHint hint;
    };

    QComboBox* AddColorList(QGridLayout* grid, int column, const QString& label, bool background,
                            int CAppearance::*index, const char* objectName);
    QComboBox* AddEmphasisList(QGridLayout* grid, int column, QString CAppearance::*name,
                               const char* objectName);
    QComboBox* AddIconList(QGridLayout* grid, int row, const QString& label,
                           QString CAppearance::*name, const char* objectName);
    QWidget* MakeContentGroup(const QString& title, int CAppearance::*txt, const char* txtName,
                              int CAppearance::*bg, const char* bgName,
                              QString CAppearance::*emphasis, const char* emphasisName);
    UpdateHints CompareHint(const CAppearance& before, const CAppearance& after) const;
    // Sets every colour list to the named scheme's colours.
    void ChooseScheme(const QString& name);
    // Selects the scheme the colour lists show, or none for the user's mix.
    void ShowMatchingScheme();

    CAppearance& target_;
    CAppearance edited_;
    QComboBox* fontList_;
    QLineEdit* sizeEdit_;
    QComboBox* schemeList_;
    std::vector<COLOR_LIST> colorLists_;
    std::vector<NAME_LIST> nameLists_;
    UpdateHints hint_;
};
