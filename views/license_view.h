#pragma once

#include "views/pane.h"

#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QStringList>

// The start view: the pane the window shows while nothing is compared. A
// heading with the program's name and version beside its icon, and the keys
// that drive the program, so that a new user sees at once how to begin.
class CLicenseView : public QScrollArea, public CPane
{
    Q_OBJECT

public:
    explicit CLicenseView(QWidget* parent = nullptr);

    // The view shows the same fixed content whatever changes.
    void OnUpdate(UpdateHints) override {}

    static QString HeadingText();
    // The help lines of the left column, then those of the right one.
    static QStringList LeftHelpLines();
    static QStringList RightHelpLines();
    // The program's icon at a size, drawn rather than loaded, so that it
    // needs no file beside the program.
    static QPixmap ProgramIcon(int size);
    // The drawing itself, on a square of size units at the painter's origin:
    // the window's icon and the desktop's icon files come from it alike.
    static void PaintProgramIcon(QPainter& painter, int size);
};
