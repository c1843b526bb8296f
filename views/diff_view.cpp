#include "views/diff_view.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"
#include "views/appearance.h"
#include "document/hex_format.h"
#include "views/pane_host.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// The reading line, as a fraction of the pane's height from its top: where
// navigation brings the place it jumps to.
constexpr double kReadingLine = 0.25;

// The layout of an empty pane, and the least any content is laid out as.
constexpr long long kMinColumns = 10;
constexpr long long kMinRows = 10;
constexpr long long kEmptyColumns = 80;
constexpr long long kEmptyRows = 10;

// Hex row columns in average character widths: three per byte and a spare
// one, ten for the offset label, two per byte for the characters.
constexpr int kHexColumnsPerByte = 3;
constexpr int kOffsetColumns = 10;
constexpr int kCharColumnsPerByte = 2;

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 0, INT_MAX));
}

long long FloorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

long long CeilDiv(long long a, long long b)
{
    return -FloorDiv(-a, b);
}

// The start of a line as the user reads it, enough of it to reach past the
// right edge at maxColumns: UTF-8 where the whole line is valid UTF-8,
// otherwise each byte as its Latin-1 character; every tab as tabSize blanks.
// A character is never drawn narrower than a pixel and never takes more than
// four bytes, so a very long line is cut long before it is decoded.
QString LineText(const char* bytes, int length, int tabSize, long long maxColumns)
{
    const bool utf8 = CTextBuf::IsValidUtf8(bytes, static_cast<std::size_t>(length));
    const long long maxBytes = std::max(maxColumns, 0LL) * 4 + 4;
    int cut = static_cast<int>(std::min<long long>(length, maxBytes));
    if (utf8) {
        // Cut before a character's first byte, never inside it.
        while (cut < length && cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
    }
    QString text = utf8 ? QString::fromUtf8(bytes, cut) : QString::fromLatin1(bytes, cut);
    if (text.contains(QLatin1Char('\t')))
        text.replace(QLatin1Char('\t'), QString(std::max(tabSize, 0), QLatin1Char(' ')));
    return text;
}

// The first cut bytes of a line as LineText draws them, cut moved forward
// to the next character's first byte so that a span never splits one.
QString LinePrefix(const char* bytes, int length, int cut, bool utf8, int tabSize)
{
    cut = std::clamp(cut, 0, length);
    if (utf8) {
        while (cut < length && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            ++cut;
    }
    QString text = utf8 ? QString::fromUtf8(bytes, cut) : QString::fromLatin1(bytes, cut);
    if (text.contains(QLatin1Char('\t')))
        text.replace(QLatin1Char('\t'), QString(std::max(tabSize, 0), QLatin1Char(' ')));
    return text;
}

int DigitsOf(long long n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

// The colour between two colours, weight of the way from a to b.
QColor Blend(const QColor& a, const QColor& b, double weight)
{
    const auto mix = [weight](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * weight));
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

} // namespace

CDiffView::CDiffView(CDiffDoc& doc, const CAppearance& appearance, CPaneHost& host, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), appearance_(appearance), host_(host)
{
    setFocusPolicy(Qt::StrongFocus);
    MeasureContent();
    UpdateScrollSizes();
}

// --- Updates, fonts and scroll sizes -------------------------------------------

void CDiffView::OnUpdate(UpdateHints hints)
{
    if (!hints.testAnyFlags(UpdateHint::AppearanceChanged | UpdateHint::FileResultChanged))
        return;
    const bool newResult = hints.testFlag(UpdateHint::FileResultChanged);
    // Folds opened in the former result would open others in the new one.
    if (newResult)
        folding_.Forget();
    const double reading = ReadingRow();
    const long long shownBefore = shownRows_;
    const std::size_t foldsBefore = folding_.Folds().size();
    CreateFonts();
    MeasureContent();
    UpdateScrollSizes();
    // Folding or unfolding moves the rows under the reading line; the
    // content that stood there stays there. A pane at its top stays there.
    const bool atTop = verticalScrollBar()->value() == 0;
    if (!newResult && !atTop &&
        (shownBefore != shownRows_ || foldsBefore != folding_.Folds().size()))
        SetReadingRow(reading);
    if (newResult) {
        selection_.Clear();
        // A mark of the former result would point at other content.
        markRow_ = markEnd_ = -1;
        ScrollTo(0, 0);
    }
    viewport()->update();
}

void CDiffView::CreateFonts()
{
    const int dpi = logicalDpiY();
    METRICS metrics{0, 0, 0};
    for (ContentKind kind : {ContentKind::Normal, ContentKind::Old, ContentKind::New,
                             ContentKind::MovedFrom, ContentKind::MovedTo}) {
        QFont& font = fonts_[static_cast<std::size_t>(kind)];
        font = appearance_.MakeFont(kind, dpi);
        const QFontMetrics measure(font);
        metrics.lineHeight = std::max(metrics.lineHeight, measure.height());
        metrics.charWidth = std::max(metrics.charWidth, measure.maxWidth());
        metrics.aveCharWidth = std::max(metrics.aveCharWidth, measure.averageCharWidth());
    }
    fontsMade_ = true;
    // A font without a glyph width or height would stall every row walk.
    metrics_ = {std::max(metrics.lineHeight, 1), std::max(metrics.charWidth, 1),
                std::max(metrics.aveCharWidth, 1)};
}

void CDiffView::SetMetrics(const METRICS& metrics)
{
    metrics_ = {std::max(metrics.lineHeight, 1), std::max(metrics.charWidth, 1),
                std::max(metrics.aveCharWidth, 1)};
    MeasureContent();
    UpdateScrollSizes();
    viewport()->update();
}

int CDiffView::BytesPerRow() const
{
    return appearance_.ShownBytesPerRow();
}

const CDiffBuf* CDiffView::OwnBuffer() const
{
    return sideIndex == 0 ? doc_.firstBuf() : doc_.secondBuf();
}

// Measuring reads the whole of both files (the widest line), so it is done
// when what is shown changes, never on a mere resize.
void CDiffView::MeasureContent()
{
    long long columns = kEmptyColumns;
    long long rows = kEmptyRows;
    const CDiffBuf* buffer = doc_.IsComparing() ? nullptr : OwnBuffer();
    if (buffer) {
        rows = composite ? doc_.allList().total() : buffer->GetCount();
        if (buffer->type() == CDiffBuf::Binary) {
            const int perRow = BytesPerRow();
            rows = rows / perRow + 1;
            columns = kHexColumnsPerByte * perRow + 1;
            if (appearance_.GetShowIndex())
                columns += kOffsetColumns;
            if (appearance_.GetShowAscii())
                columns += kCharColumnsPerByte * perRow;
        } else {
            numberDigits_ = DigitsOf(std::max<long long>(
                doc_.firstBuf() ? doc_.firstBuf()->GetCount() : 0,
                doc_.secondBuf() ? doc_.secondBuf()->GetCount() : 0));
            const int tabSize = appearance_.GetTabSize();
            columns = composite ? doc_.GetMaxLineWidth(tabSize)
                                : static_cast<const CTextBuf*>(buffer)->GetMaxWidth(tabSize);
        }
        rows = std::max(rows, kMinRows);
        columns = std::max(columns, kMinColumns);
    }
    contentColumns_ = columns;
    contentRows_ = rows;
    RebuildFolds();
}

void CDiffView::RebuildFolds()
{
    const CDiffBuf* buffer = doc_.IsComparing() ? nullptr : OwnBuffer();
    if (composite != foldedComposite_ || sideIndex != foldedSide_)
        folding_.Forget();
    foldedComposite_ = composite;
    foldedSide_ = sideIndex;
    const bool hex = buffer && buffer->type() == CDiffBuf::Binary;
    folding_.Build(ShownList(), hex ? BytesPerRow() : 0, foldContext, onlyDifferences && buffer);
    shownRows_ = folding_.ShownCount(contentRows_);
}

void CDiffView::OpenFold(int fold)
{
    if (fold < 0 || fold >= static_cast<int>(folding_.Folds().size()))
        return;
    // The rows above stay where they are; the hidden rows come in below.
    const CRowFolding::FOLD opened = folding_.Folds()[static_cast<std::size_t>(fold)];
    folding_.Open(fold);
    shownRows_ = folding_.ShownCount(contentRows_);
    UpdateScrollSizes();
    viewport()->update();
    emit FoldOpened(opened.first, opened.first + opened.count - 1);
}

void CDiffView::RevealRows(long long first, long long last)
{
    for (int fold = static_cast<int>(folding_.Folds().size()) - 1; fold >= 0; --fold) {
        const CRowFolding::FOLD& hidden = folding_.Folds()[static_cast<std::size_t>(fold)];
        if (hidden.first <= last && first < hidden.first + hidden.count)
            OpenFold(fold);
    }
}

bool CDiffView::OpenFoldInSight()
{
    const long long top = CeilDiv(verticalScrollBar()->value(), metrics_.lineHeight);
    const long long bottom =
        FloorDiv(verticalScrollBar()->value() + viewport()->height(), metrics_.lineHeight) - 1;
    const long long reading = RowAt(static_cast<int>(viewport()->height() * kReadingLine));
    int nearest = -1;
    long long distance = LLONG_MAX;
    for (int fold = 0; fold < static_cast<int>(folding_.Folds().size()); ++fold) {
        const long long marker = folding_.MarkerRow(fold);
        if (marker < top || marker > bottom)
            continue;
        const long long away = marker > reading ? marker - reading : reading - marker;
        if (away < distance) {
            nearest = fold;
            distance = away;
        }
    }
    if (nearest < 0)
        return false;
    OpenFold(nearest);
    return true;
}

void CDiffView::UpdateScrollSizes()
{
    const QSize client = viewport()->size();
    sizes_.totalWidth = contentColumns_ * metrics_.aveCharWidth + GutterWidth();
    sizes_.totalHeight = shownRows_ * metrics_.lineHeight;
    sizes_.pageWidth = client.width() - client.width() % metrics_.charWidth;
    sizes_.pageHeight = client.height() - client.height() % metrics_.lineHeight;
    sizes_.lineWidth = metrics_.charWidth;
    sizes_.lineHeight = metrics_.lineHeight;

    horizontalScrollBar()->setRange(0, ClampToInt(sizes_.totalWidth - client.width()));
    horizontalScrollBar()->setPageStep(sizes_.pageWidth);
    horizontalScrollBar()->setSingleStep(sizes_.lineWidth);
    verticalScrollBar()->setRange(0, ClampToInt(sizes_.totalHeight - client.height()));
    verticalScrollBar()->setPageStep(sizes_.pageHeight);
    verticalScrollBar()->setSingleStep(sizes_.lineHeight);
}

// --- Positions -------------------------------------------------------------------

long long CDiffView::RoundHalfUp(double x)
{
    const double down = std::floor(x);
    return static_cast<long long>(x - down >= 0.5 ? std::ceil(x) : down);
}

QPoint CDiffView::ScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CDiffView::ScrollTo(long long x, long long y)
{
    // The scroll bars keep the position within the scroll range.
    horizontalScrollBar()->setValue(ClampToInt(x));
    verticalScrollBar()->setValue(ClampToInt(y));
}

// Positions and fractions are of the content, folded or not: the overview
// and navigation see the whole files, and only the pixels shown differ.
double CDiffView::ContentHeight() const
{
    return static_cast<double>(contentRows_ * metrics_.lineHeight);
}

double CDiffView::ContentY(double shownY) const
{
    if (folding_.IsEmpty())
        return shownY;
    const double lineHeight = metrics_.lineHeight;
    return folding_.ContentPlaceOf(shownY / lineHeight) * lineHeight;
}

double CDiffView::ShownY(double contentY) const
{
    if (folding_.IsEmpty())
        return contentY;
    const double lineHeight = metrics_.lineHeight;
    return folding_.ShownPlaceOf(contentY / lineHeight) * lineHeight;
}

void CDiffView::GetVisibleRange(double* top, double* bottom) const
{
    const double total = std::max(ContentHeight(), 1.0);
    const double y = verticalScrollBar()->value();
    *top = ContentY(y) / total;
    *bottom = ContentY(y + viewport()->height()) / total;
}

double CDiffView::GetPosition() const
{
    const double total = std::max(ContentHeight(), 1.0);
    const double reading = viewport()->height() * kReadingLine + verticalScrollBar()->value();
    return std::clamp(ContentY(reading) / total, 0.0, 1.0);
}

double CDiffView::ReadingRow() const
{
    return ContentY(viewport()->height() * kReadingLine + verticalScrollBar()->value()) /
           metrics_.lineHeight;
}

void CDiffView::SetReadingRow(double row)
{
    const double y = ShownY(row * metrics_.lineHeight) - viewport()->height() * kReadingLine;
    ScrollTo(horizontalScrollBar()->value(), std::max(RoundHalfUp(y), 0LL));
}

void CDiffView::SetPosition(double fraction)
{
    const double v = ShownY(ContentHeight() * std::clamp(fraction, 0.0, 1.0)) -
                     viewport()->height() * kReadingLine;
    ScrollTo(0, std::max(RoundHalfUp(v), 0LL));
}

void CDiffView::Scroll(ScrollCommand command)
{
    const long long x = horizontalScrollBar()->value();
    const long long y = verticalScrollBar()->value();
    const long long width = sizes_.totalWidth;
    const long long height = sizes_.totalHeight;
    switch (command) {
    case ScrollCommand::Home:
        return ScrollTo(0, 0);
    case ScrollCommand::End:
        return ScrollTo(0, height);
    case ScrollCommand::PageDown:
        return ScrollTo(x, std::min(y + sizes_.pageHeight, height));
    case ScrollCommand::PageUp:
        return ScrollTo(x, std::max(y - sizes_.pageHeight, 0LL));
    case ScrollCommand::LineDown:
        return ScrollTo(x, std::min(y + sizes_.lineHeight, height));
    case ScrollCommand::LineUp:
        return ScrollTo(x, std::max(y - sizes_.lineHeight, 0LL));
    case ScrollCommand::LineLeft:
        return ScrollTo(std::max(x - sizes_.lineWidth, 0LL), y);
    case ScrollCommand::LineRight:
        return ScrollTo(std::min(x + sizes_.lineWidth, width), y);
    case ScrollCommand::PageLeft:
        return ScrollTo(std::max(x - sizes_.pageWidth, 0LL), y);
    case ScrollCommand::PageRight:
        return ScrollTo(std::min(x + sizes_.pageWidth, width), y);
    }
}

// --- Input ---------------------------------------------------------------------------

void CDiffView::keyPressEvent(QKeyEvent* event)
{
    if ((event->modifiers() & Qt::ShiftModifier) && ExtendSelection(event->key()))
        return;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Home:
        return Scroll(ScrollCommand::Home);
    case Qt::Key_End:
        return Scroll(ScrollCommand::End);
    case Qt::Key_PageDown:
        return Scroll(ScrollCommand::PageDown);
    case Qt::Key_PageUp:
        return Scroll(ScrollCommand::PageUp);
    case Qt::Key_Down:
        return Scroll(ScrollCommand::LineDown);
    case Qt::Key_Up:
        return Scroll(ScrollCommand::LineUp);
    case Qt::Key_Left:
        return Scroll(ctrl ? ScrollCommand::PageLeft : ScrollCommand::LineLeft);
    case Qt::Key_Right:
        return Scroll(ctrl ? ScrollCommand::PageRight : ScrollCommand::LineRight);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (OpenFoldInSight())
            return;
        return QAbstractScrollArea::keyPressEvent(event);
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CDiffView::wheelEvent(QWheelEvent* event)
{
    // A notch of the wheel moves as many pixels as its delta; a touchpad
    // that reports pixels moves by exactly those.
    const QPoint delta = event->pixelDelta().isNull() ? event->angleDelta() : event->pixelDelta();
    const long long x = horizontalScrollBar()->value();
    const long long y = verticalScrollBar()->value();
    ScrollTo(x - delta.x(), y - delta.y());
    event->accept();
}

void CDiffView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // The splitter frames the pane that has the focus.
    if (parentWidget())
        parentWidget()->update();
}

void CDiffView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CDiffView::scrollContentsBy(int, int dy)
{
    if (dy != 0 && markRow_ >= 0 && verticalScrollBar()->value() != markScrollY_)
        markRow_ = markEnd_ = -1;
    viewport()->update();
}

// --- The difference mark and the line numbers --------------------------------------

void CDiffView::MarkDifferenceAtReadingLine()
{
    const CBlockList& list = ShownList();
    CBlockStarts starts;
    starts.Refresh(list);
    const std::size_t b = starts.BlockAt(static_cast<long long>(std::max(ReadingRow(), 0.0)));
    if (b < list.Blocks().size() && !list.Blocks()[b]->IsCommon())
        MarkDifferenceAt(starts.StartOf(b));
}

void CDiffView::MarkDifferenceAt(long long row)
{
    markRow_ = std::max(row, 0LL);
    markEnd_ = DifferenceEnd(markRow_);
    markScrollY_ = verticalScrollBar()->value();
    viewport()->update();
}

long long CDiffView::DifferenceEnd(long long row) const
{
    const CBlockList& list = ShownList();
    CBlockStarts starts;
    starts.Refresh(list);
    long long end = row;
    for (std::size_t b = starts.BlockAt(row); b < list.Blocks().size(); ++b) {
        if (list.Blocks()[b]->IsCommon())
            break;
        end = starts.StartOf(b) + list.Blocks()[b]->length;
    }
    return end;
}

int CDiffView::GutterWidth() const
{
    if (!showLineNumbers || doc_.IsComparing())
        return 0;
    const CDiffBuf* buffer = doc_.firstBuf() ? doc_.firstBuf() : doc_.secondBuf();
    if (!buffer || buffer->type() != CDiffBuf::Text)
        return 0;
    // A blank column either side of each number, and half a column more
    // before the text; composite rows show the old and the new number.
    const int numberColumns = numberDigits_ + 2;
    return metrics_.aveCharWidth * (composite ? 2 * numberColumns : numberColumns) +
           metrics_.aveCharWidth / 2;
}

void CDiffView::DrawLineNumbers(QPainter& painter, const std::vector<CRowFolding::PIECE>& pieces)
{
    const int gutter = GutterWidth();
    if (gutter == 0)
        return;
    const QColor background = appearance_.GetNormalBgCol();
    const QColor ink = Blend(appearance_.GetNormalTxtCol(), background, 0.45);
    const int client = viewport()->height();
    painter.fillRect(0, 0, gutter, client, background);
    // The rule stands halfway into the blank after the numbers, so that the
    // text keeps a little room from it.
    painter.fillRect(gutter - metrics_.aveCharWidth / 2, 0, 1, client, Blend(ink, background, 0.5));
    if (fontsMade_)
        painter.setFont(fonts_[static_cast<std::size_t>(ContentKind::Normal)]);
    painter.setPen(ink);
    const CBlockList& list = ShownList();
    const long long lineHeight = metrics_.lineHeight;
    const int scrollY = ScrollPosition().y();
    const int columnWidth = (numberDigits_ + 2) * metrics_.aveCharWidth;
    const int blank = metrics_.aveCharWidth;
    const QFontMetrics measure = painter.fontMetrics();
    const int ascent = measure.ascent();
    // Right-aligned by measuring, which costs far less than a laid-out box.
    const auto number = [&](long long n, int column, int top) {
        const QString text = QString::number(n);
        const int right = (column + 1) * columnWidth - blank;
        painter.drawText(right - measure.horizontalAdvance(text), top + ascent, text);
    };
    for (const CRowFolding::PIECE& piece : pieces) {
        if (piece.IsMarker())
            continue;
        const long long firstRow = piece.contentFirst;
        const long long lastRow = piece.contentFirst + piece.count - 1;
        const long long shift = piece.shownFirst - piece.contentFirst;
        for (std::size_t b = starts_.BlockAt(firstRow); b < list.Blocks().size(); ++b) {
            const DIFF_BLOCK& block = *list.Blocks()[b];
            const long long blockRow = starts_.StartOf(b);
            if (blockRow > lastRow)
                break;
            const long long to = std::min(blockRow + block.length, lastRow + 1);
            for (long long row = std::max(blockRow, firstRow); row < to; ++row) {
                const long long offset = row - blockRow;
                const int top = static_cast<int>((row + shift) * lineHeight - scrollY);
                if (!composite) {
                    number(block.PosIn(sideIndex) + offset + 1, 0, top);
                    continue;
                }
                for (int side = 0; side < 2; ++side) {
                    if (block.IsCommon() || block.side() == side)
                        number(block.PosIn(side) + offset + 1, side, top);
                }
            }
        }
    }
}

void CDiffView::DrawFoldMarker(QPainter& painter, const CRowFolding::PIECE& piece)
{
    const CRowFolding::FOLD& fold = folding_.Folds()[static_cast<std::size_t>(piece.fold)];
    const QColor background = appearance_.GetNormalBgCol();
    const QColor text = appearance_.GetNormalTxtCol();
    const int lineHeight = metrics_.lineHeight;
    const int top = static_cast<int>(piece.shownFirst * lineHeight - ScrollPosition().y());
    const int width = viewport()->width();
    // A band of its own across the whole pane, line numbers included, with
    // rules above and below, and its text where the rows' text starts
    // whatever the pane is scrolled to sideways: it stands for no column.
    painter.fillRect(0, top, width, lineHeight, Blend(background, text, 0.08));
    const QColor rule = Blend(background, text, 0.3);
    painter.fillRect(0, top, width, 1, rule);
    painter.fillRect(0, top + lineHeight - 1, width, 1, rule);
    if (fontsMade_)
        painter.setFont(fonts_[static_cast<std::size_t>(ContentKind::Normal)]);
    painter.setPen(Blend(text, background, 0.3));
    painter.drawText(GutterWidth() + metrics_.aveCharWidth, top + painter.fontMetrics().ascent(),
                     CRowFolding::MarkerText(fold.count));
}

void CDiffView::DrawDifferenceMark(QPainter& painter)
{
    if (markRow_ < 0)
        return;
    const long long lineHeight = metrics_.lineHeight;
    const int scrollY = ScrollPosition().y();
    const long long shownRow = folding_.ShownRowOf(markRow_);
    const int top = static_cast<int>(shownRow * lineHeight - scrollY);
    const QColor ink = appearance_.GetNormalTxtCol();
    constexpr int kBar = 3;
    if (markEnd_ > markRow_) {
        const long long shownEnd = folding_.ShownRowOf(markEnd_);
        painter.fillRect(0, top, kBar, static_cast<int>((shownEnd - shownRow) * lineHeight), ink);
    } else {
        // Nothing of this file stands there: a line between its rows.
        painter.fillRect(0, top - 1, viewport()->width(), 2, ink);
    }
}

// --- Painting --------------------------------------------------------------------------

ContentKind CDiffView::KindOf(const DIFF_BLOCK& block)
{
    return CAppearanceSettings::KindOf(block);
}

CDiffView::PRESENTATION CDiffView::PresentationOf(const DIFF_BLOCK& block) const
{
    const ContentKind kind = KindOf(block);
    return {&fonts_[static_cast<std::size_t>(kind)], appearance_.TxtColor(kind),
            appearance_.BgColor(kind)};
}

const CBlockList& CDiffView::ShownList() const
{
    if (composite)
        return doc_.allList();
    return sideIndex == 0 ? doc_.firstList() : doc_.secondList();
}

const CDiffBuf* CDiffView::SourceOf(const DIFF_BLOCK& block, int* start) const
{
    const int side = block.IsCommon() ? sideIndex : block.side();
    *start = block.PosIn(side);
    return side == 0 ? doc_.firstBuf() : doc_.secondBuf();
}

void CDiffView::paintEvent(QPaintEvent*)
{
    // While a comparison runs its worker owns the buffers and the blocks.
    if (doc_.IsComparing() || (!doc_.firstBuf() && !doc_.secondBuf()))
        return;
    const QPoint scroll = ScrollPosition();
    const QSize client = viewport()->size();
    const VISIBLE visible{scroll.x() - static_cast<long long>(metrics_.charWidth),
                          scroll.y() - static_cast<long long>(metrics_.lineHeight),
                          scroll.x() + static_cast<long long>(client.width()),
                          scroll.y() + static_cast<long long>(client.height())};
    QPainter painter(viewport());
    if (fontsMade_)
        painter.setFont(fonts_[static_cast<std::size_t>(ContentKind::Normal)]);
    // The overview's markers show where this pane is; they follow every paint.
    host_.InvalidateOverView();
    starts_.Refresh(ShownList());
    const long long lineHeight = metrics_.lineHeight;
    const std::vector<CRowFolding::PIECE> pieces =
        folding_.Pieces(CeilDiv(std::max(visible.top, 0LL), lineHeight),
                        FloorDiv(visible.bottom, lineHeight), shownRows_);
    const CDiffBuf* first = doc_.firstBuf();
    if (first && first->type() == CDiffBuf::Binary) {
        for (const CRowFolding::PIECE& piece : pieces) {
            if (!piece.IsMarker())
                DrawHexRows(painter, visible, piece);
        }
    } else {
        // Below the last row a dark scheme stays dark.
        if (appearance_.IsDark())
            painter.fillRect(0, 0, client.width(), client.height(), appearance_.GetNormalBgCol());
        // The rows scroll sideways under the line numbers, which stay.
        const int gutter = GutterWidth();
        painter.save();
        if (gutter > 0) {
            painter.setClipRect(gutter, 0, client.width() - gutter, client.height());
            painter.translate(gutter, 0);
        }
        for (const CRowFolding::PIECE& piece : pieces) {
            if (!piece.IsMarker())
                DrawTextRows(painter, visible, piece);
        }
        painter.restore();
        DrawLineNumbers(painter, pieces);
    }
    for (const CRowFolding::PIECE& piece : pieces) {
        if (piece.IsMarker())
            DrawFoldMarker(painter, piece);
    }
    DrawDifferenceMark(painter);
}

void CDiffView::DrawTextRows(QPainter& painter, const VISIBLE& visible,
                             const CRowFolding::PIECE& piece)
{
    const CBlockList& list = ShownList();
    const long long lineHeight = metrics_.lineHeight;
    const QPoint scroll = ScrollPosition();
    const int tabSize = appearance_.GetTabSize();
    // The piece's content rows, each drawn shift rows further down than
    // its number says when folds above it hide rows; the bands reach
    // across the whole visible width.
    const long long firstRow = piece.contentFirst;
    const long long lastRow = piece.contentFirst + piece.count - 1;
    const long long shift = piece.shownFirst - piece.contentFirst;
    const auto top = [&](long long row) {
        return static_cast<int>((row + shift) * lineHeight - scroll.y());
    };
    const int bandLeft = static_cast<int>(visible.left - scroll.x());
    const int bandWidth = static_cast<int>(visible.right - visible.left);
    if (showLineChanges) {
        partners_.Refresh(doc_);
        lineChanges_.Refresh(doc_);
    }

    for (std::size_t b = starts_.BlockAt(firstRow); b < list.Blocks().size(); ++b) {
        const DIFF_BLOCK& block = *list.Blocks()[b];
        const long long blockRow = starts_.StartOf(b);
        if (blockRow > lastRow)
            break;
        const PRESENTATION look = PresentationOf(block);
        const long long from = std::max(blockRow, firstRow);
        const long long to = std::min(blockRow + block.length, lastRow + 1); // rows [from, to)
        if (from >= to)
            continue;
        painter.fillRect(bandLeft, top(from), bandWidth, static_cast<int>((to - from) * lineHeight),
                         look.background);
        const long long chosenFrom = std::max(from, selection_.First());
        const long long chosenTo = std::min(to, selection_.Last() + 1);
        if (!selection_.IsEmpty() && chosenFrom < chosenTo)
            painter.fillRect(bandLeft, top(chosenFrom), bandWidth,
                             static_cast<int>((chosenTo - chosenFrom) * lineHeight),
                             palette().color(QPalette::Highlight));

        int start = 0;
        const CDiffBuf* source = SourceOf(block, &start);
        if (!source || source->type() != CDiffBuf::Text)
            continue;
        const auto& text = static_cast<const CTextBuf&>(*source);
        if (fontsMade_)
            painter.setFont(*look.font);
        painter.setPen(look.text);
        const int ascent = painter.fontMetrics().ascent();
        const bool marked = showLineChanges && block.kind == BlockKind::Unmatched &&
                            partners_.PartnerOf(&block);
        for (long long row = from; row < to; ++row) {
            const long long line = start + (row - blockRow);
            if (line < 0 || line >= text.GetCount())
                continue;
            int length = 0;
            const char* bytes = text.GetLine(static_cast<int>(line), &length);
            // A selected row shows the platform's highlight, which the
            // marks inside lines would cover.
            const bool selected = selection_.Contains(row);
            if (marked && !selected)
                DrawLineChanges(painter, block, row - blockRow, bytes, length, top(row), tabSize);
            painter.setPen(selected ? palette().color(QPalette::HighlightedText) : look.text);
            painter.drawText(-scroll.x(), top(row) + ascent,
                             LineText(bytes, length, tabSize, visible.right));
        }
    }
}

int CDiffView::CharColumnStart() const
{
    int columns = kHexColumnsPerByte * BytesPerRow() + 1;
    if (appearance_.GetShowIndex())
        columns += kOffsetColumns;
    return metrics_.aveCharWidth * columns;
}

void CDiffView::DrawHexRows(QPainter& painter, const VISIBLE& visible,
                            const CRowFolding::PIECE& piece)
{
    const CBlockList& list = ShownList();
    const int perRow = BytesPerRow();
    const long long lineHeight = metrics_.lineHeight;
    const QPoint scroll = ScrollPosition();
    const bool showIndex = appearance_.GetShowIndex();
    const bool showAscii = appearance_.GetShowAscii();
    const int charStart = CharColumnStart();
    std::vector<unsigned char> scratch(static_cast<std::size_t>(perRow));

    // Rows above the piece are stepped over at once: row r holds the bytes
    // from r times the row length in the list's content. The piece's rows
    // stand shift rows lower than their numbers when folds above hide rows.
    const long long firstRow = piece.contentFirst;
    const long long shift = piece.shownFirst - piece.contentFirst;
    const long long bottom =
        std::min(visible.bottom, (piece.shownFirst + piece.count) * lineHeight - 1);
    long long y = piece.shownFirst * lineHeight; // shown y of the current row
    int hexX = 0;
    int charX = charStart;
    int filled = 0;
    const long long firstByte = firstRow * perRow;
    const std::size_t firstBlock = starts_.BlockAt(firstByte);

    // Draws one piece of text with its presentation on an opaque background
    // at content x, returns its width.
    const auto drawPiece = [&](const QString& piece, const PRESENTATION& look, int x) {
        if (fontsMade_)
            painter.setFont(*look.font);
        const QFontMetrics measure = painter.fontMetrics();
        const int width = measure.horizontalAdvance(piece);
        const int top = static_cast<int>(y - scroll.y());
        const bool chosen = selection_.Contains(y / lineHeight - shift);
        painter.fillRect(x - scroll.x(), top, width, static_cast<int>(lineHeight),
                         chosen ? palette().color(QPalette::Highlight) : look.background);
        painter.setPen(chosen ? palette().color(QPalette::HighlightedText) : look.text);
        painter.drawText(x - scroll.x(), top + measure.ascent(), piece);
        return width;
    };
    const PRESENTATION normal{&fonts_[static_cast<std::size_t>(ContentKind::Normal)],
                              appearance_.GetNormalTxtCol(), appearance_.GetNormalBgCol()};

    for (std::size_t b = firstBlock; b < list.Blocks().size() && y <= bottom; ++b) {
        const DIFF_BLOCK& block = *list.Blocks()[b];
        int start = 0;
        const CDiffBuf* source = SourceOf(block, &start);
        // The first block may begin above the first visible row.
        const long long skip = b == firstBlock ? std::max(firstByte - starts_.StartOf(b), 0LL) : 0;
        long long p = start + skip;
        const long long end = static_cast<long long>(start) + block.length;
        const PRESENTATION look = PresentationOf(block);
        while (p < end && y <= bottom) {
            const int n = static_cast<int>(std::min<long long>(end - p, perRow - filled));
            if (filled == 0 && showIndex)
                hexX +=
                    drawPiece(CHexFormat::FormatOffset(static_cast<unsigned int>(p)), normal, hexX);
            int hexWidth = 0;
            int charWidth = 0;
            // A block that points past its buffer's end draws nothing of it.
            if (source && p >= 0 && p + n <= source->GetCount()) {
                std::copy_n(reinterpret_cast<const unsigned char*>(source->data()) + p, n,
                            scratch.begin());
                hexWidth = drawPiece(CHexFormat::FormatHexBytes(scratch.data(), n), look, hexX);
                if (showAscii)
                    charWidth =
                        drawPiece(CHexFormat::FormatAsciiBytes(scratch.data(), n), look, charX);
            }
            p += n;
            filled += n;
            if (filled == perRow) {
                y += lineHeight;
                hexX = 0;
                charX = charStart;
                filled = 0;
            } else {
                hexX += hexWidth;
                charX += charWidth;
            }
        }
    }
}

// --- Selection -------------------------------------------------------------------------

CRowText CDiffView::Rows() const
{
    return CRowText(doc_, ShownList(), composite ? 0 : sideIndex, BytesPerRow());
}

QString CDiffView::SelectedText() const
{
    if (selection_.IsEmpty() || doc_.IsComparing())
        return {};
    return Rows().Text(selection_.First(), selection_.Last());
}

void CDiffView::SelectAll()
{
    if (doc_.IsComparing())
        return;
    selection_.SelectAll(Rows().RowCount());
    viewport()->update();
}

void CDiffView::SelectRows(long long first, long long last)
{
    selection_.Start(first);
    selection_.ExtendTo(last);
    viewport()->update();
}

long long CDiffView::RowAt(int viewportY) const
{
    return FloorDiv(static_cast<long long>(viewportY) + verticalScrollBar()->value(),
                    metrics_.lineHeight);
}

long long CDiffView::ReadingLineRow() const
{
    return folding_.ContentRowOf(RowAt(static_cast<int>(viewport()->height() * kReadingLine)));
}

void CDiffView::ShowRowAtReadingLine(long long row)
{
    // A row inside a fold is brought by opening the fold: the row itself,
    // not the marker, is what the user asked to see.
    RevealRows(row, row);
    const double total = std::max(ContentHeight(), 1.0);
    // The middle of the row, so that the reading line falls inside it
    // whatever the rounding.
    SetPosition((static_cast<double>(row) + 0.5) * metrics_.lineHeight / total);
}

// row: a shown row.
void CDiffView::EnsureRowVisible(long long row)
{
    const long long top = row * metrics_.lineHeight;
    const long long y = verticalScrollBar()->value();
    if (top < y)
        ScrollTo(horizontalScrollBar()->value(), top);
    else if (top + metrics_.lineHeight > y + viewport()->height())
        ScrollTo(horizontalScrollBar()->value(), top + metrics_.lineHeight - viewport()->height());
}

bool CDiffView::ExtendSelection(int key)
{
    const long long rowCount = doc_.IsComparing() ? 0 : Rows().RowCount();
    if (rowCount <= 0)
        return false;
    // The keys step through the rows as shown, a fold's marker as one row.
    const long long count = folding_.ShownRowOf(rowCount - 1) + 1;
    // Without a selection it starts at the first row wholly in sight.
    const long long from =
        selection_.IsEmpty()
            ? std::min(CeilDiv(verticalScrollBar()->value(), metrics_.lineHeight), count - 1)
            : folding_.ShownRowOf(selection_.Active());
    const long long page = std::max(viewport()->height() / metrics_.lineHeight, 1);
    long long to = from;
    switch (key) {
    case Qt::Key_Up:
        to = from - 1;
        break;
    case Qt::Key_Down:
        to = from + 1;
        break;
    case Qt::Key_PageUp:
        to = from - page;
        break;
    case Qt::Key_PageDown:
        to = from + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = count - 1;
        break;
    default:
        return false;
    }
    to = std::clamp(to, 0LL, count - 1);
    if (selection_.IsEmpty())
        selection_.Start(folding_.ContentRowOf(from));
    // Going down onto a marker takes in the whole fold; going up, its
    // first row is the end.
    long long row = folding_.ContentRowOf(to);
    if (const int fold = folding_.FoldShownAt(to); fold >= 0 && to > from)
        row += folding_.Folds()[static_cast<std::size_t>(fold)].count - 1;
    selection_.ExtendTo(row);
    EnsureRowVisible(to);
    viewport()->update();
    return true;
}

void CDiffView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || doc_.IsComparing()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const long long shown = RowAt(event->position().toPoint().y());
    // A click on a fold's marker opens it and selects nothing.
    if (const int fold = folding_.FoldShownAt(shown); fold >= 0) {
        OpenFold(fold);
        event->accept();
        return;
    }
    const long long count = Rows().RowCount();
    if (count <= 0)
        return;
    const long long row = std::clamp(folding_.ContentRowOf(shown), 0LL, count - 1);
    if (event->modifiers() & Qt::ShiftModifier)
        selection_.ExtendTo(row);
    else
        selection_.Start(row);
    viewport()->update();
    event->accept();
}

void CDiffView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || selection_.IsEmpty() || doc_.IsComparing()) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const long long count = Rows().RowCount();
    if (count <= 0)
        return;
    // Dragging past the top or the bottom scrolls the rows along.
    const long long shown = RowAt(event->position().toPoint().y());
    const long long row = std::clamp(folding_.ContentRowOf(shown), 0LL, count - 1);
    selection_.ExtendTo(row);
    EnsureRowVisible(folding_.ShownRowOf(row));
    viewport()->update();
    event->accept();
}

void CDiffView::DrawLineChanges(QPainter& painter, const DIFF_BLOCK& block, long long offset,
                                const char* bytes, int length, int top, int tabSize)
{
    const std::vector<LineChanges::Span>& spans =
        lineChanges_.SpansOf(doc_, partners_, block, static_cast<int>(offset));
    if (spans.empty())
        return;
    const bool utf8 = CTextBuf::IsValidUtf8(bytes, static_cast<std::size_t>(length));
    const QFontMetrics measure = painter.fontMetrics();
    const QColor shade = appearance_.ChangedBgColor(KindOf(block));
    const int scrollX = ScrollPosition().x();
    const int right = viewport()->width();
    for (const LineChanges::Span& span : spans) {
        const int left =
            measure.horizontalAdvance(LinePrefix(bytes, length, span.start, utf8, tabSize)) - scrollX;
        if (left > right)
            break;
        const int end =
            measure.horizontalAdvance(LinePrefix(bytes, length, span.start + span.length, utf8,
                                                 tabSize)) -
            scrollX;
        painter.fillRect(left, top, std::max(end - left, 1), metrics_.lineHeight, shade);
    }
}
