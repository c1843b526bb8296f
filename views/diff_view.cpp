#include "views/diff_view.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"
#include "shell/appearance.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A line as the user reads it: UTF-8 where the bytes are valid UTF-8,
// otherwise each byte as its Latin-1 character; every tab as tabSize blanks.
QString LineText(const char* bytes, int length, int tabSize)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes, length));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes, length);
    return text.replace(QLatin1Char('\t'), QString(std::max(tabSize, 0), QLatin1Char(' ')));
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 0, INT_MAX));
}

// The reading line, as a fraction of the pane's height from its top: where
// navigation brings the place it jumps to.
constexpr double kReadingLine = 0.25;

// Half up, so that a position halfway between two pixels goes down the page.
long long RoundHalfUp(double v)
{
    const double down = std::floor(v);
    return static_cast<long long>(v - down >= 0.5 ? std::ceil(v) : down);
}

} // namespace

CDiffView::CDiffView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
                     QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), appearance_(appearance), host_(host)
{
    CreateFonts();
    UpdateScrollSizes();
}

void CDiffView::OnUpdate(int hint)
{
    if ((hint & (CDiffDoc::AppearanceChanged | CDiffDoc::FileResultChanged)) == 0)
        return;
    CreateFonts();
    UpdateScrollSizes();
    if (hint & CDiffDoc::FileResultChanged) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
    viewport()->update();
}

void CDiffView::CreateFonts()
{
    const int dpi = logicalDpiY();
    lineHeight_ = 1;
    charWidth_ = 1;
    for (ContentKind kind : {ContentKind::Normal, ContentKind::New, ContentKind::Old,
                             ContentKind::MovedTo, ContentKind::MovedFrom}) {
        QFont& font = fonts_[static_cast<std::size_t>(kind)];
        font = appearance_.MakeFont(kind, dpi);
        const QFontMetrics metrics(font);
        lineHeight_ = std::max(lineHeight_, metrics.height());
        charWidth_ = std::max(charWidth_, metrics.averageCharWidth());
    }
}

void CDiffView::UpdateScrollSizes()
{
    long long rows = 10;
    long long columns = 80;
    const CDiffBuf* buffer = sideIndex == 0 ? doc_.firstBuf() : doc_.secondBuf();
    if (buffer && !doc_.IsComparing()) {
        rows = composite ? doc_.allList().total() : buffer->GetCount();
        columns =
            buffer->type() == CDiffBuf::Binary ? 12 : doc_.GetMaxLineWidth(appearance_.tabSize);
    }
    rows = std::max(rows, 10LL);
    columns = std::max(columns, 10LL);
    totalHeight_ = rows * lineHeight_;
    const QSize page = viewport()->size();
    verticalScrollBar()->setRange(0, ClampToInt(rows * lineHeight_ - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(lineHeight_);
    horizontalScrollBar()->setRange(0, ClampToInt(columns * charWidth_ - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(charWidth_);
}

const CDiffBuf* CDiffView::SourceOf(const DIFF_BLOCK& block, int* firstRow) const
{
    const int side = block.IsCommon() ? sideIndex : block.side();
    *firstRow = block.PosIn(side);
    return side == 0 ? doc_.firstBuf() : doc_.secondBuf();
}

QString CDiffView::RowText(const CDiffBuf& buffer, int row) const
{
    if (buffer.type() == CDiffBuf::Text) {
        int length = 0;
        const char* line = static_cast<const CTextBuf&>(buffer).GetLine(row, &length);
        return LineText(line, length, appearance_.tabSize);
    }
    const auto byte = static_cast<unsigned char>(buffer.data()[row]);
    return QStringLiteral("%1  %2")
        .arg(row, 8, 16, QLatin1Char('0'))
        .arg(byte, 2, 16, QLatin1Char('0'))
        .toUpper();
}

void CDiffView::paintEvent(QPaintEvent*)
{
    // While a comparison runs its worker owns the buffers and the blocks.
    if (doc_.IsComparing() || (!doc_.firstBuf() && !doc_.secondBuf()))
        return;
    const CBlockList& list = composite        ? doc_.allList()
                             : sideIndex == 0 ? doc_.firstList()
                                              : doc_.secondList();
    QPainter painter(viewport());
    const int x = -horizontalScrollBar()->value();
    const long long top = verticalScrollBar()->value();
    const long long bottom = top + viewport()->height();
    const int width = viewport()->width();

    // y is the content position of the block's first row; blocks above the
    // visible rows are only counted, and the walk stops below them.
    long long y = 0;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        if (y >= bottom)
            break;
        const long long blockBottom = y + static_cast<long long>(block->length) * lineHeight_;
        if (blockBottom <= top) {
            y = blockBottom;
            continue;
        }
        const ContentKind kind = KindOf(*block);
        const long long bandTop = std::max(y, top) - top;
        const long long bandBottom = std::min(blockBottom, bottom) - top;
        painter.fillRect(0, static_cast<int>(bandTop), width,
                         static_cast<int>(bandBottom - bandTop), appearance_.BgColor(kind));

        int sourceRow = 0;
        const CDiffBuf* source = SourceOf(*block, &sourceRow);
        if (source) {
            const QFont& font = fonts_[static_cast<std::size_t>(kind)];
            painter.setFont(font);
            painter.setPen(appearance_.TxtColor(kind));
            const int ascent = QFontMetrics(font).ascent();
            const int firstVisible = static_cast<int>(std::max(0LL, (top - y) / lineHeight_));
            for (int row = firstVisible; row < block->length; ++row) {
                const long long rowTop = y + static_cast<long long>(row) * lineHeight_;
                if (rowTop >= bottom)
                    break;
                const int at = sourceRow + row;
                if (at < source->GetCount())
                    painter.drawText(x, static_cast<int>(rowTop - top) + ascent,
                                     RowText(*source, at));
            }
        }
        y = blockBottom;
    }
}

double CDiffView::TotalHeight() const
{
    return static_cast<double>(std::max(totalHeight_, 1LL));
}

void CDiffView::GetVisibleRange(double* top, double* bottom) const
{
    const double total = TotalHeight();
    const double y = verticalScrollBar()->value();
    *top = y / total;
    *bottom = (y + viewport()->height()) / total;
}

double CDiffView::GetPosition() const
{
    const double reading = viewport()->height() * kReadingLine + verticalScrollBar()->value();
    return std::clamp(reading / TotalHeight(), 0.0, 1.0);
}

void CDiffView::SetPosition(double fraction)
{
    const double v =
        TotalHeight() * std::clamp(fraction, 0.0, 1.0) - viewport()->height() * kReadingLine;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(ClampToInt(RoundHalfUp(v)));
}

void CDiffView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CDiffView::scrollContentsBy(int, int)
{
    viewport()->update();
}

ContentKind CDiffView::KindOf(const DIFF_BLOCK& block)
{
    switch (block.kind) {
    case BlockKind::Unmatched:
        return block.side() == 0 ? ContentKind::Old : ContentKind::New;
    case BlockKind::Moved:
        return block.side() == 0 ? ContentKind::MovedFrom : ContentKind::MovedTo;
    case BlockKind::Common:
        break;
    }
    return ContentKind::Normal;
}
