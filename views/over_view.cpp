#include "views/over_view.h"

#include "document/diff_doc.h"
#include "shell/appearance.h"
#include "views/diff_view.h"

#include <QPainter>

#include <algorithm>

namespace {

// Blank space on either side of the strip, in pixels.
constexpr int kMargin = 4;

} // namespace

COverView::COverView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host,
                     QWidget* parent)
    : QWidget(parent), doc_(doc), appearance_(appearance), host_(host)
{
    // A pane the user can move the focus to, like every other pane.
    setFocusPolicy(Qt::StrongFocus);
}

void COverView::OnUpdate(int)
{
    update();
}

void COverView::paintEvent(QPaintEvent*)
{
    // While a comparison runs its worker owns the blocks.
    if (doc_.IsComparing() || !doc_.firstBuf() || !doc_.secondBuf())
        return;
    const CBlockList& all = doc_.allList();
    if (all.total() <= 0)
        return;
    QPainter painter(this);
    const QRect strip = rect().adjusted(kMargin, 0, -kMargin, 0);
    painter.fillRect(strip, appearance_.GetNormalBgCol());
    // Each block from the content position of its start to that of its end,
    // both scaled, so that rounding never piles up along the strip.
    const double scale = static_cast<double>(height()) / static_cast<double>(all.total());
    long long start = 0;
    for (const DIFF_BLOCK* block : all.Blocks()) {
        const long long end = start + block->length;
        const ContentKind kind = CDiffView::KindOf(*block);
        if (kind != ContentKind::Normal) {
            const int top = static_cast<int>(static_cast<double>(start) * scale);
            const int bottom = static_cast<int>(static_cast<double>(end) * scale);
            // Even a difference too short for a pixel of its own stays visible.
            painter.fillRect(strip.left(), top, strip.width(), std::max(bottom - top, 1),
                             appearance_.BgColor(kind));
        }
        start = end;
    }
    painter.setPen(appearance_.GetNormalTxtCol());
    painter.drawRect(strip.adjusted(0, 0, -1, -1));
}
