#pragma once
// The base of the vertical list: a control that paints its own background
// (plain colour, gradient, or a centred, stretched or tiled picture) and
// paints background, items and overlay through one off-screen image per paint.
//
// Client coordinates exclude the border: (0, 0) is the top-left pixel inside it.
#include <QImage>
#include <QWidget>

#include "controls/outbar/OutCommon.h"
#include "platform/Color.h"

namespace outbar {

enum TBackgroundModeGlobal { bkmNone, bkmGradientHorz, bkmGradientVert, bkmCenter, bkmStretch, bkmTile };
enum TBorderStyle { bsNone, bsSingle };

class TCustomDCListViewEx : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QImage Background READ Background WRITE SetBackground)
  Q_PROPERTY(int BackgroundMode READ BackgroundModeValue WRITE SetBackgroundModeValue)
  Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
  Q_PROPERTY(int GradientBeginColor READ GradientBeginColor WRITE SetGradientBeginColor)
  Q_PROPERTY(int GradientEndColor READ GradientEndColor WRITE SetGradientEndColor)
  Q_PROPERTY(int Color READ Color WRITE SetColor)

 public:
  explicit TCustomDCListViewEx(QWidget* parent = nullptr);

  const QImage& Background() const { return background_; }
  virtual void SetBackground(const QImage& picture);
  TBackgroundModeGlobal BackgroundMode() const { return backgroundMode_; }
  virtual void SetBackgroundMode(TBackgroundModeGlobal v);
  platform::TColor GradientBeginColor() const { return gradientBegin_; }
  virtual void SetGradientBeginColor(platform::TColor v);
  platform::TColor GradientEndColor() const { return gradientEnd_; }
  virtual void SetGradientEndColor(platform::TColor v);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor v);
  // Caption colour of the items.
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);

  int ClientWidth() const;
  int ClientHeight() const;
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
  // Widget position of client point (0, 0).
  QPoint ClientOrigin() const { return QPoint(BorderWidth(), BorderWidth()); }
  int BorderWidth() const;
  // Client coordinates of a widget position, and back.
  QPoint ToClient(const QPoint& widgetPos) const { return widgetPos - ClientOrigin(); }
  // Requests a repaint of a client rectangle (nothing is erased).
  void InvalidateClient(const TRect& r);

  // Paints the background of client rectangle r (see the modes above).
  virtual void PaintBackground(QPainter& p, const TRect& r);
  // Draws over the items at the end of every paint.
  virtual void PaintOverlay(QPainter& p);
  // The whole client area as one paint would produce it.
  QImage RenderClient();

  // The number of paints done so far (each through one off-screen image).
  int PaintCount() const { return paintCount_; }

  int BackgroundModeValue() const { return backgroundMode_; }
  void SetBackgroundModeValue(int v) { SetBackgroundMode(static_cast<TBackgroundModeGlobal>(v)); }
  int BorderStyleValue() const { return borderStyle_; }
  void SetBorderStyleValue(int v) { SetBorderStyle(static_cast<TBorderStyle>(v)); }

 protected:
  // Draws the items; the vertical list overrides it.
  virtual void PaintItems(QPainter& p, const TRect& area);
  // The border or client size changed.
  virtual void ClientChanged() {}

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PaintClient(QPainter& p, const TRect& area);

  QImage background_;
  TBackgroundModeGlobal backgroundMode_ = bkmNone;
  platform::TColor gradientBegin_ = platform::RGB(0, 0, 255);
  platform::TColor gradientEnd_ = platform::clBlack;
  TBorderStyle borderStyle_ = bsSingle;
  bool ctl3D_ = true;
  platform::TColor color_ = platform::clWindow;
  platform::TColor fontColor_ = platform::clWindowText;
  QImage buffer_;
  int paintCount_ = 0;
};

}  // namespace outbar
