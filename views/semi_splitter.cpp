#include "views/semi_splitter.h"

#include "views/pane_frame.h"

#include <QApplication>
#include <QFrame>
#include <QKeySequence>
#include <QList>
#include <QShortcut>

#include <algorithm>
#include <utility>

CSemiSplitter::CSemiSplitter(PaneFactory factory, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), factory_(std::move(factory))
{
    // A pane dragged down to nothing would vanish from view with no sign
    // that it is there; keep every pane at least at its smallest usable size.
    setChildrenCollapsible(false);

    // The keys act wherever the focus is inside the row, before any pane sees
    // them: Tab must leave the pane, not walk through the pane's children.
    const auto bind = [this](const QKeySequence& keys, void (CSemiSplitter::*move)()) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, move);
    };
    bind(QKeySequence(Qt::Key_Tab), &CSemiSplitter::ActivateNextPane);
    bind(QKeySequence(Qt::Key_F6), &CSemiSplitter::ActivateNextPane);
    bind(QKeySequence(Qt::SHIFT | Qt::Key_Backtab), &CSemiSplitter::ActivatePrevPane);
    bind(QKeySequence(Qt::SHIFT | Qt::Key_F6), &CSemiSplitter::ActivatePrevPane);

    focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

CSemiSplitter::~CSemiSplitter()
{
    // The panes are destroyed after this object has stopped being a
    // CSemiSplitter, and destroying a pane that holds the focus moves it.
    disconnect(focusConnection_);
}

bool CSemiSplitter::InsertColumn(PaneClass paneClass, int column, int idealWidth, int minWidth)
{
    if (column < 0 || column > count() || !factory_)
        return false;
    QWidget* pane = factory_(paneClass);
    if (!pane)
        return false;

    // The column's frame is the pane's border; a second one inside it would
    // only add a line.
    if (auto* framed = qobject_cast<QFrame*>(pane))
        framed->setFrameShape(QFrame::NoFrame);
    if (pane->focusPolicy() == Qt::NoFocus && !pane->focusProxy())
        pane->setFocusPolicy(Qt::StrongFocus);

    auto* frame = new CPaneFrame(pane, paneClass);
    insertWidget(column, frame);
    SetColumnInfo(column, idealWidth, minWidth);
    // The overview is a strip of a fixed width; the panes beside it take up
    // every change of the window's width.
    setStretchFactor(column, paneClass == PaneClass::Overview ? 0 : 1);
    if (!active_)
        MarkActive(frame);
    return true;
}

void CSemiSplitter::DeleteColumn(int column)
{
    CPaneFrame* doomed = FrameAt(column);
    if (!doomed)
        return;
    if (doomed == active_) {
        const int n = count();
        CPaneFrame* next = n > 1 ? FrameAt((column + 1) % n) : nullptr;
        const bool hadFocus = doomed->isAncestorOf(QApplication::focusWidget());
        MarkActive(next);
        if (next && hadFocus)
            next->pane()->setFocus(Qt::OtherFocusReason);
    }
    delete doomed;
}

QWidget* CSemiSplitter::GetPane(int column) const
{
    const CPaneFrame* frame = FrameAt(column);
    return frame ? frame->pane() : nullptr;
}

PaneClass CSemiSplitter::GetPaneClass(int column) const
{
    const CPaneFrame* frame = FrameAt(column);
    Q_ASSERT(frame);
    return frame ? frame->paneClass() : PaneClass::License;
}

void CSemiSplitter::SetColumnInfo(int column, int idealWidth, int minWidth)
{
    CPaneFrame* frame = FrameAt(column);
    if (!frame)
        return;
    frame->idealWidth = std::max(idealWidth, 0);
    frame->minWidth = std::max(minWidth, 0);
    frame->setMinimumWidth(frame->minWidth);
}

void CSemiSplitter::RecalcLayout()
{
    const int n = count();
    if (n == 0)
        return;
    int left = std::max(contentsRect().width() - handleWidth() * (n - 1), 0);
    QList<int> sizes;
    sizes.reserve(n);
    for (int column = 0; column + 1 < n; ++column) {
        const int width = std::clamp(FrameAt(column)->idealWidth, 0, left);
        sizes.append(width);
        left -= width;
    }
    sizes.append(left);
    setSizes(sizes);
}

QWidget* CSemiSplitter::GetActivePane() const
{
    return active_ ? active_->pane() : nullptr;
}

int CSemiSplitter::GetActiveColumn() const
{
    return active_ ? indexOf(active_) : -1;
}

void CSemiSplitter::SetActivePane(int column)
{
    CPaneFrame* frame = FrameAt(column);
    if (!frame)
        return;
    MarkActive(frame);
    frame->pane()->setFocus(Qt::OtherFocusReason);
}

void CSemiSplitter::ActivateNextPane()
{
    const int n = count();
    if (n > 0)
        SetActivePane((GetActiveColumn() + 1) % n);
}

void CSemiSplitter::ActivatePrevPane()
{
    const int n = count();
    const int current = GetActiveColumn();
    if (n > 0)
        SetActivePane(current < 0 ? n - 1 : (current + n - 1) % n);
}

CPaneFrame* CSemiSplitter::FrameAt(int column) const
{
    if (column < 0 || column >= count())
        return nullptr;
    return qobject_cast<CPaneFrame*>(widget(column));
}

void CSemiSplitter::MarkActive(CPaneFrame* frame)
{
    if (active_ == frame)
        return;
    if (active_)
        active_->SetActive(false);
    active_ = frame;
    if (frame)
        frame->SetActive(true);
}

void CSemiSplitter::OnFocusChanged(QWidget* now)
{
    // Focus that leaves the row (to the tool bar, a dialog) keeps the last
    // pane marked: it is where the focus returns.
    if (!now)
        return;
    for (int column = 0; column < count(); ++column) {
        CPaneFrame* frame = FrameAt(column);
        if (frame && frame->isAncestorOf(now)) {
            MarkActive(frame);
            return;
        }
    }
}
