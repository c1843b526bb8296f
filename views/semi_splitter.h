#pragma once

#include "views/pane_class.h"

#include <QMetaObject>
#include <QPointer>
#include <QSplitter>

#include <functional>

class CPaneFrame;

// The row of panes that fills the main window: columns of panes side by side
// with draggable bars between them, inserted and deleted at run time as the
// frame rearranges what it shows. The active pane (the one holding the
// keyboard focus, or the last one that held it) is framed in the palette's
// highlight colour. Tab and F6 move the focus to the next pane, Shift+Tab and
// Shift+F6 to the previous one, wrapping around.
//
// Each pane sits in a thin frame of its own, so the splitter's widget(i) is
// that frame; use GetPane for the pane itself. A pane that is a QFrame loses
// its own frame, and a pane that takes no focus is made to take it, so that
// every pane can be the active one.
class CSemiSplitter : public QSplitter
{
    Q_OBJECT

public:
    // Makes a new pane of a class, or returns nullptr when it cannot. Panes
    // need the document and the frame, which the splitter does not know.
    using PaneFactory = std::function<QWidget*(PaneClass)>;

    explicit CSemiSplitter(PaneFactory factory, QWidget* parent = nullptr);
    ~CSemiSplitter() override;

    // Inserts a column holding a new pane of the class before column (or at
    // the end when column is the column count). When the pane cannot be made,
    // or the column does not exist, the splitter stays as it was and the
    // result is false. The first pane of an empty splitter becomes active.
    bool InsertColumn(PaneClass paneClass, int column, int idealWidth, int minWidth);
    // Destroys the pane in the column. When it was the active one, the pane
    // of the next column becomes active (the first after the last), and it
    // takes the focus if the destroyed pane held it.
    void DeleteColumn(int column);

    int GetColumnCount() const { return count(); }
    // The pane in the column; nullptr when there is no such column.
    QWidget* GetPane(int column) const;
    // The class the pane in the column was made as; the column must exist.
    PaneClass GetPaneClass(int column) const;
    // The width the column gets from RecalcLayout, and the narrowest the user
    // may drag it to.
    void SetColumnInfo(int column, int idealWidth, int minWidth);
    // Lays the columns out from left to right at their ideal widths, the last
    // taking what is left. A column with a fixed-width strip (the overview)
    // keeps its width when the window is resized; the others share the change.
    void RecalcLayout();

    // The active pane and its column; nullptr and -1 when there is no pane.
    QWidget* GetActivePane() const;
    int GetActiveColumn() const;
    // Makes the pane in the column active and gives it the keyboard focus.
    void SetActivePane(int column);
    void ActivateNextPane();
    void ActivatePrevPane();

private:
    CPaneFrame* FrameAt(int column) const;
    void MarkActive(CPaneFrame* frame);
    void OnFocusChanged(QWidget* now);

    PaneFactory factory_;
    QPointer<CPaneFrame> active_;
    QMetaObject::Connection focusConnection_;
};
