#pragma once
// The focusable companion of the flat speed button: the same looks and states,
// painted off-screen (see-through looks show the parent's image), plus the
// keyboard focus, the space and enter keys, a default frame and a focus rectangle.
#include "controls/styled/FlatSpeedButton.h"

class QShortcut;

namespace styled {

class TFlatButton : public TFlatSpeedButton {
  Q_OBJECT
  Q_PROPERTY(bool Default READ Default WRITE SetDefault)
  Q_PROPERTY(bool HasFocusFrame READ HasFocusFrame WRITE SetHasFocusFrame)
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

 public:
  explicit TFlatButton(QWidget* parent = nullptr);

  // Draws the up frame two pixels wide.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  // Draws the focus rectangle while hot.
  bool HasFocusFrame() const { return hasFocusFrame_; }
  void SetHasFocusFrame(bool v);
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool v) { setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus); }

  // The form takes the modal result and the button is released; then popup and OnClick.
  void Click() override;
  bool DialogChar(QChar c) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  void PaintBackground(QPainter& p) override;
  void PaintFrame(QPainter& p) override;
  void PaintFocus(QPainter& p) override;

 private:
  // Enter clicks a hot button even while another control of the window has the focus.
  void DialogKey();

  bool default_ = false;
  bool hasFocusFrame_ = true;
  QShortcut* enterKey_ = nullptr;
  QShortcut* returnKey_ = nullptr;
};

}  // namespace styled
