#pragma once

#include "views/pane.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <array>

class CAppearance;
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
    CDiffView(CDiffDoc& doc, const CAppearance& appearance, QWidget* parent = nullptr);

    // The content kind a block is drawn as: Common as Normal, Unmatched as Old
    // or New and Moved as MovedFrom or MovedTo, by the block's side.
    static ContentKind KindOf(const DIFF_BLOCK& block);

public slots:
    // Bit 8 (display settings) or 16 (new result) rebuilds fonts and sizes;
    // 16 also goes back to the top.
    void OnUpdate(int hint) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void CreateFonts();
    void UpdateScrollSizes();
    // The buffer a block's rows come from, and the row it starts at there.
    const CDiffBuf* SourceOf(const DIFF_BLOCK& block, int* firstRow) const;
    QString RowText(const CDiffBuf& buffer, int row) const;

    CDiffDoc& doc_;
    const CAppearance& appearance_;
    // One font per content kind, indexed by ContentKind.
    std::array<QFont, 5> fonts_;
    int lineHeight_ = 14;
    int charWidth_ = 8;
};
