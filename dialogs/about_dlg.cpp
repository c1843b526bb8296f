#include "dialogs/about_dlg.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <array>

namespace {

// The picture: two pages side by side, their rows marked in the colours the
// comparison views use by default for added, removed and moved content.
constexpr int kPictureWidth = 68;
constexpr int kPictureHeight = 112;
constexpr int kPageWidth = 30;
constexpr int kRowHeight = 5;
constexpr int kRowGap = 3;
// Lines of the notice visible without scrolling.
constexpr int kNoticeLines = 6;

// Row colours of each page, top to bottom: none for identical rows.
const std::array<QColor, 12> kOldRows = {QColor(),
                                         QColor(),
                                         QColor(96, 208, 96),
                                         QColor(96, 208, 96),
                                         QColor(),
                                         QColor(160, 208, 160),
                                         QColor(160, 208, 160),
                                         QColor(),
                                         QColor(),
                                         QColor(96, 208, 96),
                                         QColor(),
                                         QColor()};
const std::array<QColor, 12> kNewRows = {QColor(),
                                         QColor(),
                                         QColor(224, 224, 96),
                                         QColor(),
                                         QColor(),
                                         QColor(),
                                         QColor(),
                                         QColor(224, 224, 160),
                                         QColor(224, 224, 160),
                                         QColor(),
                                         QColor(224, 224, 96),
                                         QColor()};

void DrawPage(QPainter& painter, int left, const std::array<QColor, 12>& rows,
              const QPalette& palette)
{
    const QRect page(left, 0, kPageWidth - 1, kPictureHeight - 1);
    painter.setPen(palette.color(QPalette::Text));
    painter.setBrush(palette.color(QPalette::Base));
    painter.drawRect(page);
    int y = page.top() + kRowGap + 2;
    for (const QColor& mark : rows) {
        const QRect row(page.left() + 3, y, kPageWidth - 7, kRowHeight);
        if (mark.isValid())
            painter.fillRect(row.adjusted(-1, -1, 1, 1), mark);
        painter.fillRect(QRect(row.left(), row.top() + 1, row.width() * 2 / 3, 2),
                         palette.color(QPalette::Text));
        y += kRowHeight + kRowGap + 1;
    }
}

QPixmap DrawPicture(const QPalette& palette, qreal pixelRatio)
{
    QPixmap pixmap(QSize(kPictureWidth, kPictureHeight) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawPage(painter, 0, kOldRows, palette);
    DrawPage(painter, kPictureWidth - kPageWidth, kNewRows, palette);
    return pixmap;
}

} // namespace

CAboutDlg::CAboutDlg(const QString& versionText, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Varnel"));

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPixmap(DrawPicture(palette(), devicePixelRatio()));
    picture->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* version = new QLabel(VersionLine(versionText));
    version->setObjectName(QStringLiteral("version"));
    QFont heading = version->font();
    heading.setBold(true);
    version->setFont(heading);
    auto* rights = new QLabel(RightsLine());
    rights->setObjectName(QStringLiteral("rights"));

    // Read-only, yet the notice can be selected, copied and scrolled.
    auto* notice = new QPlainTextEdit(NoticeText());
    notice->setObjectName(QStringLiteral("notice"));
    notice->setReadOnly(true);
    notice->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    notice->setFixedHeight(notice->fontMetrics().lineSpacing() * kNoticeLines +
                           2 * notice->frameWidth() +
                           2 * static_cast<int>(notice->document()->documentMargin()));
    notice->setMinimumWidth(notice->fontMetrics().averageCharWidth() * 60);

    auto* website = new QPushButton(QStringLiteral("Open Website"));
    website->setObjectName(QStringLiteral("website"));
    website->setAutoDefault(false);
    connect(website, &QPushButton::clicked, this, &CAboutDlg::OpenWebsite);
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &CAboutDlg::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(website);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 4, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(rights, 1, 1);
    layout->addWidget(notice, 2, 1);
    layout->setRowStretch(3, 1);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setHorizontalSpacing(fontMetrics().height());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    close->setFocus();
}

QString CAboutDlg::VersionLine(const QString& versionText)
{
    const QString text = versionText.trimmed();
    if (text.isEmpty())
        return QStringLiteral("Varnel.");
    const qsizetype space = text.lastIndexOf(QLatin1Char(' '));
    if (space < 0)
        return QStringLiteral("Varnel version %1.").arg(text);
    return QStringLiteral("%1 version %2.").arg(text.left(space), text.mid(space + 1));
}

QString CAboutDlg::RightsLine()
{
    return QStringLiteral("Copyright \u00a9 2026 Orvane.");
}

QString CAboutDlg::NoticeText()
{
    return QStringLiteral(
        "Varnel is provided as it is, without any warranty: neither that it suits a particular "
        "purpose nor that its results are free of errors. You use it at your own risk; the "
        "rights holder is not liable for any loss or damage that comes from its use.\n"
        "\n"
        "Varnel only reads the files and folders it compares. It never changes, moves or "
        "deletes them.\n"
        "\n"
        "You may use Varnel and pass on unchanged copies of it, provided this notice stays "
        "with every copy.");
}
