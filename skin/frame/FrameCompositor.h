#pragma once
// Putting a skinned frame on its window: the scene the frame shows, the
// caption buttons' places written back to the buttons, the borders and the
// caption strip composed and kept while nothing they show has changed (a
// repaint of the client area or a caption-button hover then costs a copy, not
// a composition), the menu bar, and the window region from the borders'
// transparency. A painting error leaves the frame unpainted and is reported.
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <tuple>
#include <vector>

#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FramePaint.h"

class QPainter;
class QWidget;

namespace skin {

class TWinSkinForm;

// The window's icon (else the application's) at small-icon size on magenta,
// for the system-menu button; without either, `skinIcon` when the skin
// cached one, else the platform's menu glyph.
QImage WindowIconImage(const QWidget* w, const QImage& skinIcon);

class TFrameCompositor {
 public:
  explicit TFrameCompositor(TWinSkinForm& frame) : frame_(frame) {}

  // Paints the frame on the window (a painter on it unless `dc` is given).
  void PaintFrame(QPainter* dc);
  // The frame composed as the window shows it, W x H, client area left
  // transparent.
  QImage ComposeFrame() const;
  // The caption buttons' visibility and places for the window as it is now.
  void LayoutButtons();
  // The next paint composes borders and caption strip anew.
  void Forget();
  // Shapes the window from the borders' transparency (skipped while the size
  // is unchanged, except during a refresh).
  void UpdateRegion();
  // The window's whole rectangle is its own again.
  void ClearRegion();
  const QImage& Strip() const { return strip_; }
  // What went wrong in the last painting that failed (empty when none did).
  const QString& LastError() const { return lastError_; }

 private:
  TFrameScene Scene() const;
  TCaptionContext Context() const;
  // Writes the laid-out scene's visibility and rectangles back to the buttons.
  void WriteBack(const TFrameScene& scene);
  void Compose(QPainter& dc, TFrameScene& scene);
  void Report(const QString& error);

  TWinSkinForm& frame_;
  struct TBorderCache {
    QImage left, right, bottom;
    QSize size;
    bool active = false;
    int generation = -1;
    bool valid = false;
  } borders_;
  struct TStripKey {
    QSize size;  // the corners' border images are composed at the window's height
    int generation = -1;
    bool active = false;
    bool rightToLeft = false;
    QString shown;
    QRect plate, textRect;
    int clipRight = 0;
    QFont font;
    qint64 icon = 0;
    std::vector<std::tuple<QRect, bool, int>> buttons;  // rect, visible, state frame
    bool operator==(const TStripKey&) const = default;
  };
  QImage strip_;
  std::optional<TStripKey> stripKey_;
  QSize regionSize_;
  QString lastError_;
};

}  // namespace skin
