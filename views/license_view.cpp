#include "views/license_view.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The face of the start view; where it is missing any sans-serif face stands in.
constexpr const char* kFontFace = "Trebuchet MS";
constexpr int kFontPoints = 14;
// Edge length of the icon beside the heading, in pixels.
constexpr int kIconSize = 32;

QLabel* MakeLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// One page of the icon: a sheet with grey text lines and one coloured band
// where it differs from the other page.
void DrawPage(QPainter& painter, const QRectF& sheet, int bandRow, const QColor& band)
{
    painter.setPen(QPen(QColor(64, 64, 64), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    const qreal left = sheet.left() + 3;
    const qreal right = sheet.right() - 3;
    for (int row = 0; row < 5; ++row) {
        const qreal y = sheet.top() + 4 + row * 4;
        if (row == bandRow) {
            painter.fillRect(QRectF(sheet.left() + 1, y - 1.5, sheet.width() - 2, 3), band);
            continue;
        }
        painter.setPen(QPen(QColor(150, 150, 150), 1.0));
        painter.drawLine(QPointF(left, y), QPointF(right - (row % 2) * 4, y));
    }
}

} // namespace

CLicenseView::CLicenseView(QWidget* parent) : QScrollArea(parent)
{
    auto* form = new QWidget(this);
    form->setBackgroundRole(QPalette::Window);
    form->setAutoFillBackground(true);
    QFont font(QString::fromLatin1(kFontFace));
    font.setPointSize(kFontPoints);
    font.setStyleHint(QFont::SansSerif);
    form->setFont(font);
    const QFontMetrics metrics(font);

    auto* icon = new QLabel(form);
    icon->setPixmap(ProgramIcon(kIconSize));
    auto* heading = MakeLabel(HeadingText(), form);
    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(metrics.averageCharWidth() * 2);
    headingRow->addWidget(icon);
    headingRow->addWidget(heading);
    headingRow->addStretch();

    // Two columns of help lines, a quarter line apart, the right one far
    // enough from the left for the longest left line to read as separate.
    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(metrics.averageCharWidth() * 4);
    lines->setVerticalSpacing(metrics.height() / 4);
    const QStringList left = LeftHelpLines();
    const QStringList right = RightHelpLines();
    for (int row = 0; row < left.size(); ++row)
        lines->addWidget(MakeLabel(left[row], form), row, 0);
    // The last right-hand line, the pointer to the manual, stands apart from
    // the keys above it, level with the last left-hand line.
    for (int row = 0; row < right.size(); ++row) {
        const bool last = row + 1 == right.size();
        lines->addWidget(MakeLabel(right[row], form), last ? left.size() - 1 : row, 1);
    }
    lines->setColumnStretch(2, 1);

    auto* page = new QVBoxLayout(form);
    page->setContentsMargins(metrics.averageCharWidth() * 2, metrics.height() / 2,
                             metrics.averageCharWidth() * 2, metrics.height() / 2);
    page->setSpacing(metrics.height());
    page->addLayout(headingRow);
    page->addLayout(lines);
    page->addStretch();

    // The form keeps its size and the pane scrolls when it is smaller.
    setWidget(form);
    setWidgetResizable(true);
}

QString CLicenseView::HeadingText()
{
    return QStringLiteral("Varnel. Version 1.5.00.");
}

QStringList CLicenseView::LeftHelpLines()
{
    return {
        QStringLiteral("F1 = Open manual."),     QStringLiteral("F2 = Toggle file overview."),
        QStringLiteral("F3 = File composite."),  QStringLiteral("F4 = Files side by side."),
        QStringLiteral("F5 = Reload."),          QStringLiteral("F6 = Focus next pane."),
        QStringLiteral("F7 = Next difference."), QStringLiteral("F8 = Previous difference."),
        QStringLiteral("F9 = Edit first file."), QStringLiteral("F10 = Edit second file."),
    };
}

QStringList CLicenseView::RightHelpLines()
{
    return {
        QStringLiteral("Tab = Focus next pane."),
        QStringLiteral("Esc = Close file(s)."),
        QStringLiteral("Ctrl+D = Compare directories."),
        QStringLiteral("Ctrl+O = Compare files."),
        QStringLiteral("Ctrl+Q = Quit."),
        QStringLiteral("Shift+F6 = Focus previous pane."),
        QStringLiteral("Home = Show start of file."),
        QStringLiteral("End = Show end of file."),
        QStringLiteral("Learn more. Read the manual."),
    };
}

QPixmap CLicenseView::ProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintProgramIcon(painter, size);
    return pixmap;
}

void CLicenseView::PaintProgramIcon(QPainter& painter, int size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32 x 32 grid and scaled: the old page behind, with a band in
    // the colour of removed lines, the new page in front, with a band in the
    // colour of added lines.
    painter.scale(size / 32.0, size / 32.0);
    DrawPage(painter, QRectF(2.5, 2.5, 17, 22), 2, QColor(96, 208, 96));
    DrawPage(painter, QRectF(12.5, 7.5, 17, 22), 3, QColor(224, 224, 96));
    painter.restore();
}
