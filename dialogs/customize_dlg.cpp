#include "dialogs/customize_dlg.h"

#include "dialogs/number_text.h"
#include "views/color_scheme.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kEmphasisNames[] = {"Normal", "Bold", "Italic", "Strike Out"};

constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 12;
constexpr int kProgramIconSize = 32;
// The size has at most two digits; the box is a little wider than that.
constexpr int kSizeEditChars = 4;

// A small sample of a palette colour beside its name, framed so that white
// and the system's background still show.
QIcon Swatch(const QColor& color)
{
    QPixmap pixmap(kSwatchWidth, kSwatchHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(color);
    painter.drawRect(0, 0, kSwatchWidth - 1, kSwatchHeight - 1);
    return QIcon(pixmap);
}

// The first entry, in list order, whose text begins with value, letter case
// ignored; -1 when none does. An empty value selects nothing rather than the
// first entry, so a blank setting is never replaced by accident.
int FindStartingWith(const QComboBox* list, const QString& value)
{
    if (value.isEmpty())
        return -1;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).startsWith(value, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QComboBox* MakeList(const char* objectName)
{
    auto* list = new QComboBox;
    list->setObjectName(QLatin1String(objectName));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return list;
}

} // namespace

CCustomizeDlg::CCustomizeDlg(CAppearance& appearance, const QStringList& fontNames, QWidget* parent)
    : QDialog(parent), target_(appearance), edited_(appearance)
{
    setWindowTitle(QStringLiteral("Customize"));

    // The font row: the faces sorted as a reader looks for them, each once.
    fontList_ = MakeList("fontName");
    QStringList faces = fontNames;
    // A face the system lacks is still what the views ask for, and the font
    // system draws a substitute for it ("Courier New" on most Linux desktops);
    // the list shows it rather than a blank.
    if (!edited_.fontName.isEmpty() && !faces.contains(edited_.fontName, Qt::CaseInsensitive))
        faces << edited_.fontName;
    faces.removeDuplicates();
    std::sort(faces.begin(), faces.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    fontList_->addItems(faces);
    // The face itself, not a longer one that starts with its name.
    fontList_->setCurrentIndex(fontList_->findText(edited_.fontName, Qt::MatchFixedString));
    sizeEdit_ = new QLineEdit(QString::number(edited_.fontSize));
    sizeEdit_->setObjectName(QStringLiteral("fontSize"));
    sizeEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), sizeEdit_));
    sizeEdit_->setMaximumWidth(sizeEdit_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                   kSizeEditChars +
                               sizeEdit_->fontMetrics().height());
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("Font:")));
    fontRow->addWidget(fontList_, 1);
    fontRow->addSpacing(fontMetrics().height());
    fontRow->addWidget(new QLabel(QStringLiteral("Size:")));
    fontRow->addWidget(sizeEdit_);

    // A scheme sets every colour list at once; the lists stay the user's to
    // change afterwards, and OK takes whatever they show.
    schemeList_ = MakeList("colorScheme");
    schemeList_->addItems(CColorScheme::Names());
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(new QLabel(QStringLiteral("Color Scheme:")));
    schemeRow->addWidget(schemeList_, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(fontRow);
    left->addLayout(schemeRow);
    left->addWidget(MakeContentGroup(QStringLiteral("Identical Content"),
                                     &CAppearance::normalTxtCol, "normalTxtCol",
                                     &CAppearance::normalBgCol, "normalBgCol", nullptr, nullptr));
    left->addWidget(MakeContentGroup(QStringLiteral("Removed Content"), &CAppearance::oldTxtCol,
                                     "oldTxtCol", &CAppearance::oldBgCol, "oldBgCol",
                                     &CAppearance::oldEmphasis, "oldEmphasis"));
    left->addWidget(MakeContentGroup(QStringLiteral("Moved Content (old location)"),
                                     &CAppearance::movedFromTxtCol, "movedFromTxtCol",
                                     &CAppearance::movedFromBgCol, "movedFromBgCol",
                                     &CAppearance::movedFromEmphasis, "movedFromEmphasis"));
    left->addWidget(MakeContentGroup(QStringLiteral("Moved Content (new location)"),
                                     &CAppearance::movedToTxtCol, "movedToTxtCol",
                                     &CAppearance::movedToBgCol, "movedToBgCol",
                                     &CAppearance::movedToEmphasis, "movedToEmphasis"));
    left->addWidget(MakeContentGroup(QStringLiteral("Added Content"), &CAppearance::newTxtCol,
                                     "newTxtCol", &CAppearance::newBgCol, "newBgCol",
                                     &CAppearance::newEmphasis, "newEmphasis"));

    auto* iconGroup = new QGroupBox(QStringLiteral("Icon Color"));
    auto* iconGrid = new QGridLayout(iconGroup);
    AddIconList(iconGrid, 0, QStringLiteral("Identical Files & Folders:"),
                &CAppearance::normalIconColor, "normalIconColor");
    AddIconList(iconGrid, 2, QStringLiteral("Modified Files & Folders:"),
                &CAppearance::modifiedIconColor, "modifiedIconColor");
    AddIconList(iconGrid, 4, QStringLiteral("Removed Files & Folders:"), &CAppearance::oldIconColor,
                "oldIconColor");
    AddIconList(iconGrid, 6, QStringLiteral("Added Files & Folders:"), &CAppearance::newIconColor,
                "newIconColor");

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomizeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCustomizeDlg::reject);

    auto* right = new QVBoxLayout;
    const QIcon programIcon = windowIcon();
    if (!programIcon.isNull()) {
        auto* picture = new QLabel;
        picture->setPixmap(programIcon.pixmap(kProgramIconSize));
        right->addWidget(picture, 0, Qt::AlignRight);
    }
    right->addWidget(iconGroup);
    right->addStretch(1);
    right->addWidget(buttons, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowMatchingScheme();
    connect(schemeList_, &QComboBox::activated, this,
            [this] { ChooseScheme(schemeList_->currentText()); });
    for (const COLOR_LIST& color : colorLists_)
        connect(color.list, &QComboBox::currentIndexChanged, this,
                &CCustomizeDlg::ShowMatchingScheme);
    fontList_->setFocus();
}

void CCustomizeDlg::ChooseScheme(const QString& name)
{
    CAppearance scheme = edited_;
    if (!CColorScheme::Apply(name, scheme))
        return;
    for (const COLOR_LIST& color : colorLists_)
        color.list->setCurrentIndex(scheme.*color.index);
}

void CCustomizeDlg::ShowMatchingScheme()
{
    // The colours as the lists show them now, unselected lists as stored.
    CAppearance shown = edited_;
    for (const COLOR_LIST& color : colorLists_) {
        if (color.list->currentIndex() >= 0)
            shown.*color.index = color.list->currentIndex();
    }
    const QSignalBlocker quiet(schemeList_);
    schemeList_->setCurrentIndex(schemeList_->findText(CColorScheme::Matching(shown)));
}

QWidget* CCustomizeDlg::MakeContentGroup(const QString& title, int CAppearance::*txt,
                                         const char* txtName, int CAppearance::*bg,
                                         const char* bgName, QString CAppearance::*emphasis,
                                         const char* emphasisName)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    AddColorList(grid, 0, QStringLiteral("Text Color:"), false, txt, txtName);
    AddColorList(grid, 1, QStringLiteral("Background Color:"), true, bg, bgName);
    if (emphasis)
        AddEmphasisList(grid, 2, emphasis, emphasisName);
    // Identical content has no emphasis; its two lists keep the widths of
    // the lists in the groups below it.
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    return group;
}

QComboBox* CCustomizeDlg::AddColorList(QGridLayout* grid, int column, const QString& label,
                                       bool background, int CAppearance::*index,
                                       const char* objectName)
{
    QComboBox* list = MakeList(objectName);
    for (int i = 0; i < CAppearance::GetColorCount(); ++i) {
        const QString name = background ? edited_.GetBgColName(i) : edited_.GetTxtColName(i);
        const QColor color =
            background ? edited_.GetBgPaletteColor(i) : edited_.GetTxtPaletteColor(i);
        list->addItem(Swatch(color), name);
    }
    // Selected by name, so that an index outside the palette selects nothing.
    const QString current =
        background ? edited_.GetBgColName(edited_.*index) : edited_.GetTxtColName(edited_.*index);
    list->setCurrentIndex(FindStartingWith(list, current));
    grid->addWidget(new QLabel(label), 0, column);
    grid->addWidget(list, 1, column);
    colorLists_.push_back({list, index});
    return list;
}

QComboBox* CCustomizeDlg::AddEmphasisList(QGridLayout* grid, int column, QString CAppearance::*name,
                                          const char* objectName)
{
    QComboBox* list = MakeList(objectName);
    for (const char* emphasis : kEmphasisNames)
        list->addItem(QLatin1String(emphasis));
    list->setCurrentIndex(FindStartingWith(list, edited_.*name));
    grid->addWidget(new QLabel(QStringLiteral("Font Emphasis:")), 0, column);
    grid->addWidget(list, 1, column);
    nameLists_.push_back({list, name, UpdateHint::AppearanceChanged});
    return list;
}

QComboBox* CCustomizeDlg::AddIconList(QGridLayout* grid, int row, const QString& label,
                                      QString CAppearance::*name, const char* objectName)
{
    QComboBox* list = MakeList(objectName);
    for (int i = 0; i < CAppearance::GetIconColorCount(); ++i)
        list->addItem(CAppearance::GetIconColorName(i));
    list->setCurrentIndex(FindStartingWith(list, edited_.*name));
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(list, row + 1, 0);
    nameLists_.push_back({list, name, UpdateHint::IconColorsChanged});
    return list;
}

void CCustomizeDlg::accept()
{
    const CNumberText::RESULT size =
        CNumberText::Read(sizeEdit_->text(), CNumberText::Sign::Signed, kMinFontSize, kMaxFontSize);
    if (!size.ok) {
        ShowPrompt(size.prompt);
        sizeEdit_->setFocus();
        sizeEdit_->selectAll();
        return;
    }
    edited_.fontSize = size.value;
    if (fontList_->currentIndex() >= 0)
        edited_.fontName = fontList_->currentText();
    // A list position is a palette index. A list without a selection keeps
    // its index, corrected below should it lie outside the palette.
    for (const COLOR_LIST& color : colorLists_) {
        if (color.list->currentIndex() >= 0)
            edited_.*color.index = color.list->currentIndex();
    }
    edited_.CorrectColorIndices();
    for (const NAME_LIST& name : nameLists_) {
        if (name.list->currentIndex() >= 0)
            edited_.*name.name = name.list->currentText();
    }
    hint_ = CompareHint(target_, edited_);
    target_ = edited_;
    QDialog::accept();
}

UpdateHints CCustomizeDlg::CompareHint(const CAppearance& before, const CAppearance& after) const
{
    UpdateHints hint;
    if (before.fontName != after.fontName || before.fontSize != after.fontSize)
        hint |= UpdateHint::AppearanceChanged;
    for (const COLOR_LIST& color : colorLists_) {
        if (before.*color.index != after.*color.index)
            hint |= UpdateHint::AppearanceChanged;
    }
    for (const NAME_LIST& name : nameLists_) {
        if (before.*name.name != after.*name.name)
            hint |= name.hint;
    }
    return hint;
}

void CCustomizeDlg::ShowPrompt(const QString& prompt)
{
    CNumberText::ShowPromptBox(this, prompt);
}
