#include "views/pane_frame.h"

#include <QHBoxLayout>
#include <QPainter>

CPaneFrame::CPaneFrame(QWidget* pane, PaneClass paneClass, QWidget* parent)
    : QWidget(parent), pane_(pane), paneClass_(paneClass)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->setSpacing(0);
    layout->addWidget(pane_);
}

void CPaneFrame::SetActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    update();
}

void CPaneFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inner = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    // The active pane's whole border is in the highlight colour, the colour
    // that marks the current item of a list, so it reads as "this one".
    painter.fillRect(rect(), palette().color(active_ ? QPalette::Highlight : QPalette::Window));
    painter.fillRect(inner, palette().color(QPalette::Window));
    if (!active_) {
        // A quiet line keeps neighbouring inactive panes apart without
        // drawing the eye.
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(inner.adjusted(-1, -1, 0, 0));
    }
}
