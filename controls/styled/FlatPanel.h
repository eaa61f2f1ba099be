#pragma once
// A container panel with a one-colour frame, a plain, gradient or see-through
// face and a one-line caption. Painted off-screen and copied in one step; its
// aligned children sit 2 pixels inside its edges.
#include <QWidget>

#include "controls/styled/FlatUtils.h"
#include "toolkit/Panel.h"

namespace styled {

class TFlatPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(bool TransBorder READ TransBorder WRITE SetTransBorder)
  Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
  Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
  Q_PROPERTY(bool FullRepaint READ FullRepaint WRITE SetFullRepaint)
  Q_PROPERTY(int ColorBorder READ ColorBorder WRITE SetColorBorder)
  Q_PROPERTY(int BackgropStartColor READ BackgropStartColor WRITE SetBackgropStartColor)
  Q_PROPERTY(int BackgropStopColor READ BackgropStopColor WRITE SetBackgropStopColor)
  Q_PROPERTY(styled::TFillDirection BackgropOrien READ BackgropOrien WRITE SetBackgropOrien)
  Q_PROPERTY(styled::TStyleFace StyleFace READ StyleFace WRITE SetStyleFace)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TFlatPanel(QWidget* parent = nullptr);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool TransBorder() const { return transBorder_; }
  void SetTransBorder(bool v);
  toolkit::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(toolkit::TAlignment v);
  bool Locked() const { return locked_; }
  void SetLocked(bool v) { locked_ = v; }
  // With FullRepaint off and no caption, a resize repaints only the strips
  // where the old frame lines were (and what the window system exposes).
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool v);

  // Indexed colour setter: 0 ColorBorder, 1 BackgropStartColor, 2 BackgropStopColor.
  virtual void SetColors(int index, platform::TColor v);
  platform::TColor ColorBorder() const { return colors_[0]; }
  void SetColorBorder(platform::TColor v) { SetColors(0, v); }
  platform::TColor BackgropStartColor() const { return colors_[1]; }
  void SetBackgropStartColor(platform::TColor v) { SetColors(1, v); }
  platform::TColor BackgropStopColor() const { return colors_[2]; }
  void SetBackgropStopColor(platform::TColor v) { SetColors(2, v); }
  TFillDirection BackgropOrien() const { return orien_; }
  void SetBackgropOrien(TFillDirection v);
  TStyleFace StyleFace() const { return styleFace_; }
  void SetStyleFace(TStyleFace v);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor v);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& v);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);
  QString Version() const { return QString::fromLatin1(kFlatVersion); }
  void SetVersion(const QString& v) { version_ = v; }
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  // Paints the panel's face, frame and caption into `image` (the client size).
  void PaintTo(QImage& image);

  // The region the last resize asked to repaint (for the partial-repaint rule).
  QRegion LastResizeRegion() const { return lastResizeRegion_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int AlignmentValue() const { return alignment_; }
  void SetAlignmentValue(int v) { SetAlignment(static_cast<toolkit::TAlignment>(v)); }

  bool transparent_ = false;
  bool transBorder_ = false;
  platform::TColor colors_[3] = {platform::RGB(136, 165, 97), platform::RGB(237, 241, 251), platform::RGB(214, 223, 247)};
  TFillDirection orien_ = fdLeftToRight;
  TStyleFace styleFace_ = fsDefault;
  toolkit::TAlignment alignment_ = toolkit::taCenter;
  bool locked_ = false;
  bool fullRepaint_ = true;
  platform::TColor color_ = platform::clBtnFace;
  platform::TColor fontColor_ = platform::clWindowText;
  QString caption_;
  QString version_;
  int tag_ = 0;
  QRegion lastResizeRegion_;
};

}  // namespace styled
