#pragma once

#include "views/pane.h"

#include <QColor>
#include <QWidget>

#include <array>

class CAppearance;
class CBlockList;
class CDiffDoc;
class CPaneHost;
enum class ContentKind;

// The whole file comparison at once, scaled to the pane's height: one strip
// of all blocks when composite, else one strip per file with a line joining
// the two places of every moved block. Markers beside the strips show what
// each comparison pane shows; a click moves that pane there.
class COverView : public QWidget, public CPane
{
    Q_OBJECT

public:
    COverView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

    // The colour a kind of content is drawn with in a strip: its background
    // where that stands out from identical content, else its text colour,
    // else a fixed red, so that no difference is ever invisible.
    QColor StripColor(ContentKind kind) const;

    // Where the second file's strip starts for a pane of the given width.
    static int SecondStripLeft(int clientWidth);

    int leftStripHeight = 0;
    int rightStripHeight = 0;

public slots:
    // Every update repaints the strips, whatever its bits.
    void OnUpdate(UpdateHints hints) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void DrawCompositeStrip(QPainter& painter);
    void DrawSideStrips(QPainter& painter);
    // The marker of what the comparison pane of a side shows, beside a strip
    // of the given height.
    void DrawMarker(QPainter& painter, int sideIndex, int stripHeight, int left, int right);

    CDiffDoc& doc_;
    const CAppearance& appearance_;
    CPaneHost& host_;
    // The strip colour of each content kind, by ContentKind, for one paint.
    std::array<QColor, 5> stripColors_;
};
