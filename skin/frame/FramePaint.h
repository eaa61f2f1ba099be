#pragma once
// Painting a skinned frame without a window: the four borders, the caption
// strip with its text and buttons, and the whole frame of a W x H window.
// Everything is drawn into QImages; the frame skinner copies them to the window.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "skin/frame/FrameGeometry.h"

namespace skin {

class TDataSkinBorder;
class TDataSkinSysButton;
class TSkinElements;

// One border part at `size`: vertical frame layout for Top and Bottom, tiled
// unless the border's Stretch value is 1, frame 1 when active or when the
// border has one frame, else frame 2; opaque.
QImage ComposeBorder(const TDataSkinBorder& border, const QSize& size, bool vertical, bool active);

// A caption button as it is laid out for painting.
struct TCaptionButtonPaint {
  const TDataSkinSysButton* data = nullptr;
  QRect rect;  // window coordinates
  bool visible = false;
  bool showsIcon = false;  // Action 3 or 11: the window icon instead of an image
  // The frame of a button that is pressed or under the pointer (0: the strip's own choice).
  int stateFrame = 0;
};

// What the frame shows.
struct TFrameScene {
  QSize size;
  TFrameMetrics metrics;
  TFrameKind kind = fkFixed;
  bool active = true;
  bool rightToLeft = false;
  // A popup-style window (dialogs): the caption clip stops before the caption buttons.
  bool popupStyle = false;
  QString text;  // with its prefix and suffix
  QFont font;
  std::vector<TCaptionButtonPaint> buttons;
  QImage appIcon;  // small-icon size, magenta background
};

// Where the caption text goes in the strip (0, 0, W, T).
struct TCaptionTextLayout {
  int width = 0;       // measured text width + TXTBackleft + TXTBackRight
  int left = 0;        // horizontal offset of the plate
  int top = 0;         // vertical offset of the text
  int clipRight = 0;   // nothing of the caption is drawn from here on
  QRect plate;         // the title image's rectangle
  QRect textRect;      // the text's rectangle (inside the plate's insets)
  QString shown;       // the text as drawn (with an ellipsis when cut)
};

// `rightButtonsLeft` is the left edge of the leftmost right-aligned caption
// button (or a value >= W when there is none).
TCaptionTextLayout LayoutCaptionText(const TFrameScene& scene, const TSkinElements& e, int rightButtonsLeft);

// Lays out the caption buttons of `scene` (their `visible` flags set by the
// caller): Align 1 buttons first, then the text, then the buttons placed by
// the text. Returns the text layout.
TCaptionTextLayout LayoutCaption(TFrameScene& scene, const TSkinElements& e);

// The caption strip, W x T: the borders' top rows, the top border, the
// caption text and the caption buttons.
QImage ComposeCaptionStrip(const TFrameScene& scene, const TSkinElements& e, const TCaptionTextLayout& text);

// The whole frame of the window, W x H, ARGB: the borders and the strip; the
// client area (and the menu bar's place) left fully transparent.
QImage ComposeFrame(const TFrameScene& scene, const TSkinElements& e, QImage* stripOut = nullptr);

// The frame of a caption button for painting in the strip and for a state.
void DrawCaptionButton(QImage& target, const TCaptionButtonPaint& b, const QImage& appIcon, int frame);

}  // namespace skin
