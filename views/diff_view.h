#pragma once

#include "views/pane.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <array>

class CAppearance;
class CPaneHost;
enum class ContentKind;
class CDiffDoc;
class CDiffBuf;
struct DIFF_BLOCK;

// A file comparison as rows in the colours and fonts of their content kind:
// the block list of its side, or of both files when composite. For now each
// row is a text line as it is, or one byte of a binary file.
class CDiffView : public QAbstractScrollArea, public CPane
{
    Q_OBJECT

public:
    CDiffView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
              QWidget* parent = nullptr);

    // The content kind a block is drawn as: Common as Normal, Unmatched as Old
    // or New and Moved as MovedFrom or MovedTo, by the block's side.
    static ContentKind KindOf(const DIFF_BLOCK& block);

    // The shown part of the content as fractions of its height; bottom
    // exceeds 1 when the content is shorter than the pane.
    void GetVisibleRange(double* top, double* bottom) const;
    // The content fraction at the reading line, a quarter of the pane's
    // height below its top, and scrolling a fraction to that line.
    double GetPosition() const;
    void SetPosition(double fraction);

public slots:
    // Bit 8 (display settings) or 16 (new result) rebuilds fonts and sizes;
    // 16 also goes back to the top.
    void OnUpdate(int hint) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The content height in pixels as the scroll sizes give it, never 0.
    double TotalHeight() const;
    void CreateFonts();
    void UpdateScrollSizes();
    // The buffer a block's rows come from, and the row it starts at there.
    const CDiffBuf* SourceOf(const DIFF_BLOCK& block, int* firstRow) const;
    QString RowText(const CDiffBuf& buffer, int row) const;

    CDiffDoc& doc_;
    const CAppearance& appearance_;
    CPaneHost& host_;
    // One font per content kind, indexed by ContentKind.
    std::array<QFont, 5> fonts_;
    int lineHeight_ = 14;
    int charWidth_ = 8;
    long long totalHeight_ = 1;
};
