#pragma once

#include "views/pane_class.h"

#include <QWidget>

// One column of the pane splitter: the pane, inset by a thin border that the
// splitter uses to show which pane is active. The border is this widget's own
// margin, so no pane has to draw it or even know about it.
class CPaneFrame : public QWidget
{
    Q_OBJECT

public:
    // Width of the border around the pane, in pixels.
    static constexpr int kBorder = 2;

    // Takes ownership of pane.
    CPaneFrame(QWidget* pane, PaneClass paneClass, QWidget* parent = nullptr);

    QWidget* pane() const { return pane_; }
    PaneClass paneClass() const { return paneClass_; }

    bool IsActive() const { return active_; }
    void SetActive(bool active);

    // The width the splitter gives this column when it lays out the row, and
    // the narrowest the user may drag it to.
    int idealWidth = 0;
    int minWidth = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* pane_;
    PaneClass paneClass_;
    bool active_ = false;
};
