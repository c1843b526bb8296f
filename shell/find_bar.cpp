#include "shell/find_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

CFindBar::CFindBar(QWidget* parent)
    : QFrame(parent), edit_(new QLineEdit(this)), matchCase_(new QCheckBox(tr("Match &case"), this))
{
    setFrameShape(QFrame::StyledPanel);
    auto* label = new QLabel(tr("Find:"), this);
    label->setBuddy(edit_);
    edit_->setClearButtonEnabled(true);
    edit_->setToolTip(tr("Text to find; in hex rows also hex bytes such as 0a ff"));
    edit_->installEventFilter(this);
    auto* previous = new QToolButton(this);
    previous->setText(tr("&Previous"));
    previous->setToolTip(tr("Find the match before (Shift+Enter)"));
    auto* next = new QToolButton(this);
    next->setText(tr("&Next"));
    next->setToolTip(tr("Find the next match (Enter)"));
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("\u2715"));
    close->setToolTip(tr("Close the find bar (Escape)"));
    close->setAutoRaise(true);
    connect(previous, &QToolButton::clicked, this, [this] { emit FindRequested(false); });
    connect(next, &QToolButton::clicked, this, [this] { emit FindRequested(true); });
    connect(close, &QToolButton::clicked, this, &CFindBar::Close);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(label);
    layout->addWidget(edit_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(matchCase_);
    layout->addWidget(close);
    hide();
}

void CFindBar::Open()
{
    show();
    edit_->setFocus(Qt::ShortcutFocusReason);
    edit_->selectAll();
}

QString CFindBar::Text() const
{
    return edit_->text();
}

void CFindBar::SetText(const QString& text)
{
    edit_->setText(text);
}

bool CFindBar::MatchCase() const
{
    return matchCase_->isChecked();
}

void CFindBar::SetMatchCase(bool on)
{
    matchCase_->setChecked(on);
}

void CFindBar::Close()
{
    hide();
    emit Closed();
}

// Escape would close the files through the window's key and Enter means
// nothing to a line edit: in the bar both belong to the search.
bool CFindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || key->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress) {
                if (enter)
                    emit FindRequested(!(key->modifiers() & Qt::ShiftModifier));
                else
                    Close();
            }
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QFrame::eventFilter(watched, event);
}
