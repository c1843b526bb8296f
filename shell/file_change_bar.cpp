#include "shell/file_change_bar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

CFileChangeBar::CFileChangeBar(QAction& reload, QWidget* parent)
    : QFrame(parent), label_(new QLabel(this)), reloadButton_(new QToolButton(this))
{
    setFrameShape(QFrame::StyledPanel);
    // The tooltip colours stand out from the window without being an alarm.
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    reloadButton_->setDefaultAction(&reload);
    reloadButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(label_, 1);
    layout->addWidget(reloadButton_);
    hide();
}

void CFileChangeBar::ShowChanged(const QStringList& changed)
{
    label_->setText(changed.isEmpty()
                        ? tr("The compared files changed on disk.")
                        : tr("%1 changed on disk.").arg(changed.join(QStringLiteral(", "))));
    reloadButton_->show();
    show();
}

void CFileChangeBar::ShowMissing(const QStringList& missing)
{
    label_->setText(tr("%1 no longer exists; the comparison shown is from before it went.")
                        .arg(missing.join(QStringLiteral(", "))));
    reloadButton_->hide();
    show();
}

QString CFileChangeBar::Text() const
{
    return isHidden() ? QString() : label_->text();
}

bool CFileChangeBar::OffersReload() const
{
    return !isHidden() && !reloadButton_->isHidden();
}
