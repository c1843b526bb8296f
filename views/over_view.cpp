#include "views/over_view.h"

#include "document/diff_doc.h"
#include "views/appearance.h"
#include "views/diff_view.h"
#include "views/pane_host.h"
#include "views/strip_scale.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <unordered_map>

namespace {

// Geometry in pane pixels; a strip or marker spans [left, right).
constexpr int kCompositeStripLeft = 0;
constexpr int kCompositeStripRight = 30;
constexpr int kCompositeMarkerLeft = 31;
constexpr int kCompositeMarkerRight = 39;
constexpr int kFirstStripLeft = 10;
constexpr int kFirstStripRight = 35;
constexpr int kFirstMarkerLeft = 1;
constexpr int kFirstMarkerRight = 9;
constexpr int kStripWidth = 25;
// The second strip keeps 35 pixels to the pane's right edge, but never comes
// closer to the first strip than at 45 in a pane too narrow for that.
constexpr int kSecondStripFromRight = 35;
constexpr int kNarrowPaneWidth = 80;
constexpr int kNarrowSecondStripLeft = 45;
// Moved-block lines run from just left of the second strip to just right of
// the first.
constexpr int kLineGapBeforeSecondStrip = 2;
constexpr int kLineEndAfterFirstStrip = 36;
// Clicks left of this x move the first file's pane, the others the second's.
constexpr int kSecondSideClickX = 50;
// A difference block taller than this is outlined as well as filled.
constexpr int kOutlineAbove = 2;

const QColor kFallbackStripColor(200, 100, 100);

void FrameRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), color);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), color);
}

bool IsScrollKey(int key)
{
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

} // namespace

COverView::COverView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host, QWidget* parent)
    : QWidget(parent), doc_(doc), appearance_(appearance), host_(host)
{
    // A pane the user can move the focus to, like every other pane.
    setFocusPolicy(Qt::StrongFocus);
}

void COverView::OnUpdate(UpdateHints)
{
    update();
}

QColor COverView::StripColor(ContentKind kind) const
{
    // A grey background (as dark colours have, for every kind alike) tells
    // the kinds apart less than a coloured text does.
    const bool greyOnColour =
        appearance_.BgColor(kind).hsvSaturation() == 0 && appearance_.TxtColor(kind).hsvSaturation() > 0;
    if (appearance_.BgColor(kind) != appearance_.GetNormalBgCol() && !greyOnColour)
        return appearance_.BgColor(kind);
    if (appearance_.TxtColor(kind) != appearance_.GetNormalTxtCol())
        return appearance_.TxtColor(kind);
    return kFallbackStripColor;
}

int COverView::SecondStripLeft(int clientWidth)
{
    return clientWidth > kNarrowPaneWidth ? clientWidth - kSecondStripFromRight
                                          : kNarrowSecondStripLeft;
}

void COverView::paintEvent(QPaintEvent*)
{
    // While a comparison runs its worker owns the buffers and the blocks.
    if (doc_.IsComparing() || !doc_.firstBuf() || !doc_.secondBuf())
        return;
    QPainter painter(this);
    // Worked out once a paint, not once a block.
    for (ContentKind kind : {ContentKind::Normal, ContentKind::New, ContentKind::Old,
                             ContentKind::MovedTo, ContentKind::MovedFrom})
        stripColors_[static_cast<std::size_t>(kind)] = StripColor(kind);
    // A dark ground for identical content is the strip's ground too, so
    // that a dark scheme has no light edges.
    if (appearance_.IsDark())
        painter.fillRect(rect(), appearance_.GetNormalBgCol());
    if (composite)
        DrawCompositeStrip(painter);
    else
        DrawSideStrips(painter);
}

void COverView::DrawCompositeStrip(QPainter& painter)
{
    const CBlockList& all = doc_.allList();
    if (all.total() <= 0)
        return;
    const QColor outline = appearance_.GetNormalTxtCol();
    CStripScale walk(static_cast<double>(height()) / static_cast<double>(all.total()));
    for (const DIFF_BLOCK* block : all.Blocks()) {
        const int t = walk.Next(*block);
        if (t <= 0)
            continue;
        const QRect rect(kCompositeStripLeft, walk.top(),
                         kCompositeStripRight - kCompositeStripLeft, t);
        if (block->IsCommon())
            FrameRect(painter, rect, outline);
        else
            painter.fillRect(rect, stripColors_[static_cast<std::size_t>(CDiffView::KindOf(*block))]);
    }
    DrawMarker(painter, 0, height(), kCompositeMarkerLeft, kCompositeMarkerRight);
}

void COverView::DrawSideStrips(QPainter& painter)
{
    const int longer = std::max(doc_.firstBuf()->GetCount(), doc_.secondBuf()->GetCount());
    if (longer <= 0)
        return;
    const double scale = static_cast<double>(height()) / longer;
    const QColor outline = appearance_.GetNormalTxtCol();
    const int secondLeft = SecondStripLeft(width());
    const auto outlineIfTall = [&](const DIFF_BLOCK& block, const QRect& rect) {
        if (block.IsCommon() || rect.height() > kOutlineAbove)
            FrameRect(painter, rect, outline);
    };

    // The middle of each moved block in the first strip, where its line ends.
    std::unordered_map<int, int> movedMiddles;
    CStripScale first(scale);
    for (const DIFF_BLOCK* block : doc_.firstList().Blocks()) {
        const int t = first.Next(*block);
        if (t <= 0)
            continue;
        const QRect rect(kFirstStripLeft, first.top(), kFirstStripRight - kFirstStripLeft, t);
        if (block->kind == BlockKind::Moved) {
            painter.fillRect(rect, stripColors_[static_cast<std::size_t>(ContentKind::MovedFrom)]);
            movedMiddles[block->id] = first.top() + t / 2;
        } else if (block->kind == BlockKind::Unmatched) {
            painter.fillRect(rect, stripColors_[static_cast<std::size_t>(ContentKind::Old)]);
        }
        outlineIfTall(*block, rect);
    }

    CStripScale second(scale);
    for (const DIFF_BLOCK* block : doc_.secondList().Blocks()) {
        const int t = second.Next(*block);
        if (t <= 0)
            continue;
        const QRect rect(secondLeft, second.top(), kStripWidth, t);
        if (block->kind == BlockKind::Moved) {
            painter.fillRect(rect, stripColors_[static_cast<std::size_t>(ContentKind::MovedTo)]);
            const int middle = second.top() + t / 2;
            const auto other = movedMiddles.find(block->id);
            painter.setPen(QPen(outline, 1));
            painter.drawLine(secondLeft - kLineGapBeforeSecondStrip, middle,
                             kLineEndAfterFirstStrip,
                             other != movedMiddles.end() ? other->second : middle);
        } else if (block->kind == BlockKind::Unmatched) {
            painter.fillRect(rect, stripColors_[static_cast<std::size_t>(ContentKind::New)]);
        }
        outlineIfTall(*block, rect);
    }

    leftStripHeight = first.y();
    rightStripHeight = second.y();
    DrawMarker(painter, 0, leftStripHeight, kFirstMarkerLeft, kFirstMarkerRight);
    DrawMarker(painter, 1, rightStripHeight, secondLeft + kStripWidth + 1,
               secondLeft + kStripWidth + 1 + (kFirstMarkerRight - kFirstMarkerLeft));
}

void COverView::DrawMarker(QPainter& painter, int sideIndex, int stripHeight, int left, int right)
{
    double top = 0.0;
    double bottom = 0.0;
    if (!host_.GetDiffViewRange(sideIndex, &top, &bottom))
        return;
    const int markerTop = static_cast<int>(stripHeight * top);
    int markerBottom = static_cast<int>(stripHeight * bottom);
    if (markerTop >= markerBottom)
        markerBottom = markerTop + 1;
    painter.fillRect(left, markerTop, right - left, markerBottom - markerTop,
                     appearance_.GetNormalTxtCol());
}

void COverView::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (composite) {
        if (height() > 0)
            host_.SetDiffViewPosition(0, static_cast<double>(at.y()) / height());
        return;
    }
    const int side = at.x() >= kSecondSideClickX ? 1 : 0;
    const int stripHeight = side == 1 ? rightStripHeight : leftStripHeight;
    // Before the first paint there is no strip to map the click to.
    if (stripHeight > 0)
        host_.SetDiffViewPosition(side, static_cast<double>(at.y()) / stripHeight);
}

void COverView::keyPressEvent(QKeyEvent* event)
{
    // The overview has nothing to scroll.
    if (IsScrollKey(event->key()))
        QApplication::beep();
    else
        QWidget::keyPressEvent(event);
}

void COverView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The splitter frames the pane that has the focus.
    if (parentWidget())
        parentWidget()->update();
}
