// Painting of the report list view: the rows that meet the area to paint,
// each with its highlight, cell texts, grid lines and focus rectangle.
#include <QFocusEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/Edges.h"
#include "toolkit/ListView.h"

namespace toolkit {

namespace {

// Space between a cell's left edge and its text.
constexpr int kTextIndent = 6;

}  // namespace

// What every row of one paint shares.
struct TListView::RowLook {
  bool focusedView;
  bool showSelection;
  QColor text;
  QColor highlight;
  QColor highlightText;
  QFontMetrics fm;
};

void TListView::paintEvent(QPaintEvent* event) {
  FlushScrollRange();
  QPainter p(viewport());
  const QRect dirty = event->rect();
  p.fillRect(dirty, platform::ToQColor(color_));
  p.setFont(font());
  const int h = RowHeight();
  const int first = TopIndex();
  const int columnsWidth = TotalColumnWidth();
  // Only the rows that meet the area to paint are drawn.
  const int from = first + std::max(0, dirty.top()) / h;
  const int last = std::min(items_.Count() - 1, first + std::max(0, dirty.bottom()) / h);
  const int offset = horizontalScrollBar()->value();
  const bool focusedView = hasFocus();
  const RowLook look{focusedView,
                     focusedView || !hideSelection_,
                     platform::ToQColor(fontColor_),
                     platform::ToQColor(focusedView ? platform::clHighlight : platform::clBtnFace),
                     platform::ToQColor(focusedView ? platform::clHighlightText : platform::clBtnText),
                     fontMetrics()};
  for (int i = from; i <= last; ++i) PaintRow(p, items_.At(i), QRect(-offset, (i - first) * h, columnsWidth, h), look);
}

void TListView::PaintRow(QPainter& p, const TListItem* item, const QRect& row, const RowLook& look) {
  const int h = row.height();
  const bool marked = item->selected_ && look.showSelection;
  const bool greyed = dress_.greyed && dress_.greyed(item);
  QRect mark;
  if (marked) {
    if (rowSelect_) {
      mark = row;
    } else if (header_->count() > 0) {
      const int shown = look.fm.horizontalAdvance(ShownText(display_, item->caption_));
      const int w = std::min(header_->sectionSize(0), shown + 2 * kTextIndent);
      mark = QRect(row.left(), row.top(), w, h);
    }
    p.fillRect(mark, look.highlight);
  }
  for (int c = 0; c < header_->count(); ++c) {
    const int w = header_->sectionSize(c);
    if (w <= 0) continue;
    const QRect cell(header_->sectionViewportPosition(c), row.top(), w, h);
    const bool inMark = marked && mark.intersects(cell) && (rowSelect_ || c == 0);
    p.setPen(inMark ? look.highlightText : greyed ? platform::ToQColor(dress_.greyColor) : look.text);
    const QRect textRect = cell.adjusted(kTextIndent, 0, -kTextIndent / 2, 0);
    const QString shown = ShownText(display_, item->ColumnText(c));
    const QString drawn = look.fm.elidedText(shown, Qt::ElideRight, textRect.width());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, drawn);
    if (dress_.marks) PaintMarks(p, item, c, textRect, shown, drawn, look);
    if (gridLines_) {
      p.setPen(platform::ToQColor(platform::clBtnFace));
      p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
      p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    }
  }
  if (look.focusedView && item->focused_) {
    const QRect focusRect = rowSelect_ || mark.isEmpty() ? row : mark;
    if (!focusRect.isEmpty()) platform::DrawFocusRect(p, focusRect);
  }
}

void TListView::PaintMarks(QPainter& p, const TListItem* item, int column, const QRect& textRect, const QString& shown,
                           const QString& drawn, const RowLook& look) {
  const QList<TTextMark> marks = dress_.marks(item, column, shown);
  if (marks.isEmpty()) return;
  // An elided text shows its characters up to the ellipsis.
  const int visible = drawn == shown ? static_cast<int>(shown.size()) : static_cast<int>(drawn.size()) - 1;
  const QColor back = platform::ToQColor(dress_.markColor);
  p.save();
  p.setClipRect(textRect, Qt::IntersectClip);
  p.setPen(platform::ToQColor(dress_.markTextColor));
  for (const TTextMark& m : marks) {
    const int start = std::max(0, m.start), end = std::min(visible, m.start + m.length);
    if (start >= end) continue;
    const QString part = shown.mid(start, end - start);
    const QRect r(textRect.left() + look.fm.horizontalAdvance(shown.left(start)), textRect.top(),
                  look.fm.horizontalAdvance(part), textRect.height());
    p.fillRect(r, back);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part);
  }
  p.restore();
}

void TListView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace toolkit
