#pragma once
// What the status-bar skinner paints: the bar filled with ButtonFace, each
// panel drawn from the StatusBarEdges element by its bevel with its text, or
// one simple text across the bar, and the size grip from ExtraImages.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "skin/core/SkinElements.h"
#include "skin/controls/PartCache.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

class QFontMetrics;
class QPainter;

namespace skin {

struct TStatusPanelLook {
  QRect rect;  // in the bar, right-exclusive
  QString text;
  toolkit::TAlignment alignment = toolkit::taLeftJustify;
  toolkit::TStatusPanelBevel bevel = toolkit::pbLowered;
  bool rightToLeft = false;
};

struct TStatusBarLook {
  QSize size;
  bool simple = false;  // one text across the bar (also a bar without panels)
  QString simpleText;
  std::vector<TStatusPanelLook> panels;
  bool sizeGrip = false;
  bool enabled = true;
  QFont font;
};

// The StatusBarEdges frame of a bevel: raised 2, none 3, lowered 1.
int StatusPanelFrameIndex(toolkit::TStatusPanelBevel bevel);
// Where a panel's text goes: one line with tabs expanded, inside `rect` less
// 2 pixels each side, placed by its alignment (left and right swap for a
// right-to-left panel) and centred vertically.
QRect StatusTextRect(const QFontMetrics& fm, const QRect& rect, const QString& text, toolkit::TAlignment alignment,
                     bool rightToLeft);
// The size grip's place: ExtraImages frame 5 at its own size in the corner.
QRect StatusGripRect(const TSkinElements& e, const QSize& size);
// The whole bar, into a work image of the bar's size.
void PaintStatusBar(QImage& work, const TSkinElements& e, const TStatusBarLook& look, TPartCache* cache = nullptr);

// The look of a toolkit status bar.
TStatusBarLook StatusBarLookOf(const toolkit::TStatusBar& bar);

}  // namespace skin
