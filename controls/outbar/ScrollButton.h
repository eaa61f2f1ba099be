#pragma once
// A small square button showing a frame-control glyph. While it is held with
// the left button it raises OnSelect at once and then every Frequency
// milliseconds as long as the pointer stays on it.
#include <QTimer>
#include <QWidget>

#include "controls/outbar/Events.h"

namespace outbar {

enum TDCScrollButtonStyle {
  dcsbs_ScrollDown, dcsbs_ScrollLeft, dcsbs_ScrollRight, dcsbs_ScrollUp, dcsbs_CaptionClose,
  dcsbs_CaptionHelp, dcsbs_CaptionMAX, dcsbs_CaptionMIN, dcsbs_CaptionRestore
};

class TCustomDCScrollButton : public QWidget {
  Q_OBJECT

 public:
  explicit TCustomDCScrollButton(QWidget* parent = nullptr);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TDCScrollButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TDCScrollButtonStyle v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  // Held with the left button while the pointer is on it.
  bool Pressed() const { return pressed_; }
  bool Repeating() const { return timer_.isActive(); }

  TNotifyEvent OnSelect;
  TNotifyEvent OnClick;

  // Raises OnSelect while pressed.
  virtual void Select();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

  void DrawButtonFace(bool pushed);

 private:
  void Tick();
  void EndHold();

  bool autoSize_ = true;
  TDCScrollButtonStyle buttonStyle_ = dcsbs_ScrollDown;
  int frequency_ = 100;
  bool pressed_ = false;
  bool held_ = false;       // the button holds the mouse (left press not yet released)
  bool inside_ = false;     // pointer inside at the last pointer move while held
  bool facePushed_ = false; // the face currently shows pushed
  QTimer timer_;
};

// Publishes the scroll button's properties.
class TDCScrollButton : public TCustomDCScrollButton {
  Q_OBJECT
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(int ButtonStyle READ ButtonStyleValue WRITE SetButtonStyleValue)
  Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)

 public:
  using TCustomDCScrollButton::TCustomDCScrollButton;
  int ButtonStyleValue() const { return ButtonStyle(); }
  void SetButtonStyleValue(int v) { SetButtonStyle(static_cast<TDCScrollButtonStyle>(v)); }
};

}  // namespace outbar
