#pragma once

#include "document/block_partners.h"
#include "document/block_starts.h"
#include "views/line_change_cache.h"
#include "views/pane.h"
#include "views/row_folding.h"
#include "views/row_selection.h"
#include "views/row_text.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <array>
#include <vector>

class CAppearance;
class CPaneHost;
enum class ContentKind;
class CBlockList;
class CDiffDoc;
class CDiffBuf;
struct DIFF_BLOCK;

// A file comparison as rows in the colours and fonts of their content kind:
// the block list of its side, or of both files when composite. Text files
// are drawn as text rows, binary files as hex rows. The pane only reads the
// document; the scroll bars, the wheel and the scroll keys are its input.
class CDiffView : public QAbstractScrollArea, public CPane
{
    Q_OBJECT

public:
    CDiffView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

    // The sizes every row and column is measured in: the height of a row,
    // the widest character of the five fonts (the horizontal scroll step)
    // and their widest average character (the unit of column widths).
    struct METRICS
    {
        int lineHeight = 14;
        int charWidth = 20;
        int aveCharWidth = 20;
    };

    // The scroll sizes in pixels: the content, one page and one line.
    struct SCROLL_SIZES
    {
        long long totalWidth = 0;
        long long totalHeight = 0;
        int pageWidth = 0;
        int pageHeight = 0;
        int lineWidth = 0;
        int lineHeight = 0;
    };

    // The keys that scroll the pane.
    enum class ScrollCommand
    {
        Home,
        End,
        PageDown,
        PageUp,
        LineDown,
        LineUp,
        LineLeft,
        LineRight,
        PageLeft,
        PageRight,
    };

    // The content kind a block is drawn as: Common as Normal, Unmatched as Old
    // or New and Moved as MovedFrom or MovedTo, by the block's side.
    static ContentKind KindOf(const DIFF_BLOCK& block);
    // Positions become whole pixels or lines with halves rounded up, so that
    // a place halfway between two goes down the page.
    static long long RoundHalfUp(double x);

    const METRICS& Metrics() const { return metrics_; }
    // Replaces the metrics the fonts gave and lays the content out again
    // with them; the next update that rebuilds the fonts measures anew.
    void SetMetrics(const METRICS& metrics);
    const SCROLL_SIZES& ScrollSizes() const { return sizes_; }
    // The stored bytes per row, kept between 1 and 100.
    int BytesPerRow() const;

    // The shown part of the content as fractions of its height; bottom
    // exceeds 1 when the content is shorter than the pane.
    void GetVisibleRange(double* top, double* bottom) const;
    // The content fraction at the reading line, a quarter of the pane's
    // height below its top, and scrolling a fraction to that line.
    double GetPosition() const;
    void SetPosition(double fraction);
    void Scroll(ScrollCommand command);
    // The scroll position, in pixels from the content's top-left corner.
    QPoint ScrollPosition() const;
    // The content row at the reading line, with the fraction of the row
    // above it, and scrolling a row (and fraction) to that line.
    double ReadingRow() const;
    void SetReadingRow(double row);

    // Set by the frame with the layout. Changed characters of removed and
    // added lines that stand opposite each other are drawn on a stronger
    // shade; line numbers stand in a column at the left of text rows.
    bool showLineChanges = false;
    bool showLineNumbers = false;
    // Only differences: runs of common rows longer than twice the context
    // fold into one marker row, which a click or Enter opens.
    bool onlyDifferences = false;
    int foldContext = 3;

    // The folds of the rows as shown; every row the pane gives or takes in
    // its other operations is a content row, folded or not.
    const CRowFolding& Folding() const { return folding_; }
    // The rows as shown: content rows with each closed fold as one row.
    long long ShownRowCount() const { return shownRows_; }
    // The shown row at a height in the pane, counted from its top.
    long long ShownRowAt(int viewportY) const { return RowAt(viewportY); }
    void OpenFold(int fold);
    // Opens every fold that hides one of the content rows first to last.
    void RevealRows(long long first, long long last);
    // Enter: the fold whose marker is at the reading line, else the marker
    // in sight nearest to it; false when none is in sight.
    bool OpenFoldInSight();

    // Marks the difference that starts at a content row, which navigation
    // has just brought to the reading line; the mark goes when the pane
    // scrolls up or down.
    void MarkDifferenceAt(long long row);
    // Marks the difference that holds the reading line, if one does.
    void MarkDifferenceAtReadingLine();
    bool HasDifferenceMark() const { return markRow_ >= 0; }
    // The width of the line number column, 0 when none is shown.
    int GutterWidth() const;

    // The rows selected with the mouse or with shift and the scroll keys,
    // their content as text, and the rows as the pane counts them.
    const CRowSelection& Selection() const { return selection_; }
    CRowText Rows() const;
    QString SelectedText() const;
    void SelectAll();
    void SelectRows(long long first, long long last);
    // The row at the reading line, where a search goes on from.
    long long ReadingLineRow() const;
    // Brings the row to the reading line, as difference navigation does.
    void ShowRowAtReadingLine(long long row);

signals:
    // A fold opened: its content rows first to last are shown now.
    void FoldOpened(long long first, long long last);

public slots:
    // Bit 8 (display settings) or 16 (new result) rebuilds fonts and sizes;
    // 16 also goes back to the top. Other bits change nothing here.
    void OnUpdate(UpdateHints hints) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The content rectangle to draw, in content pixels: the viewport moved by
    // the scroll position and widened by a column to the left and a row up.
    struct VISIBLE
    {
        long long left;
        long long top;
        long long right;
        long long bottom;
    };

    struct PRESENTATION
    {
        const QFont* font;
        QColor text;
        QColor background;
    };

    void CreateFonts();
    // The content's extent in columns and rows, for the scroll sizes.
    void MeasureContent();
    void UpdateScrollSizes();
    void ScrollTo(long long x, long long y);
    // The list this pane walks: all blocks when composite, else its side's.
    const CBlockList& ShownList() const;
    const CDiffBuf* OwnBuffer() const;
    PRESENTATION PresentationOf(const DIFF_BLOCK& block) const;
    // The buffer a block's content comes from, and where it starts there.
    const CDiffBuf* SourceOf(const DIFF_BLOCK& block, int* start) const;
    // Finds the folds anew for what the pane shows now.
    void RebuildFolds();
    // Content pixels from the top of all rows, and the same place in the
    // rows as shown.
    double ContentHeight() const;
    double ContentY(double shownY) const;
    double ShownY(double contentY) const;
    void DrawTextRows(QPainter& painter, const VISIBLE& visible, const CRowFolding::PIECE& piece);
    void DrawFoldMarker(QPainter& painter, const CRowFolding::PIECE& piece);
    // Marks the changed spans of one line drawn at content x 0 and pixel
    // row top, on the stronger shade of its block's background.
    void DrawLineChanges(QPainter& painter, const DIFF_BLOCK& block, long long offset,
                         const char* bytes, int length, int top, int tabSize);
    void DrawLineNumbers(QPainter& painter, const std::vector<CRowFolding::PIECE>& pieces);
    void DrawDifferenceMark(QPainter& painter);
    // The end of the difference that starts at row: the rows of the blocks
    // from there that are not common.
    long long DifferenceEnd(long long row) const;
    void DrawHexRows(QPainter& painter, const VISIBLE& visible, const CRowFolding::PIECE& piece);
    int CharColumnStart() const;
    long long RowAt(int viewportY) const;
    // Shift with a scroll key moves the selection's active end; false for
    // any other key.
    bool ExtendSelection(int key);
    void EnsureRowVisible(long long row);

    CDiffDoc& doc_;
    const CAppearance& appearance_;
    CPaneHost& host_;
    // One font per content kind, indexed by ContentKind; none until the
    // first update that asks for them.
    std::array<QFont, 5> fonts_;
    bool fontsMade_ = false;
    METRICS metrics_;
    long long contentColumns_ = 0;
    long long contentRows_ = 0;
    long long shownRows_ = 0;
    CRowFolding folding_;
    // What the folds were found for: opened folds of another list are
    // forgotten.
    bool foldedComposite_ = false;
    int foldedSide_ = -1;
    SCROLL_SIZES sizes_;
    CBlockStarts starts_;
    CRowSelection selection_;
    CBlockPartners partners_;
    CLineChangeCache lineChanges_;
    // Digits of the largest line number, for the line number column.
    int numberDigits_ = 1;
    // The marked difference's rows and the scroll position it was marked at.
    long long markRow_ = -1;
    long long markEnd_ = -1;
    int markScrollY_ = 0;
};
