#pragma once
// Lends a widget a style of its own (a skin painter written as a QProxyStyle)
// and gives the widget its previous style back afterwards. Qt widgets that
// paint and hit-test through their style (scroll bars, combo boxes, headers)
// are skinned this way, so that the skin's geometry and the widget's own
// mouse handling always agree.
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QWidget>

namespace skin {

class TWidgetStyle {
 public:
  TWidgetStyle() = default;
  TWidgetStyle(const TWidgetStyle&) = delete;
  TWidgetStyle& operator=(const TWidgetStyle&) = delete;
  ~TWidgetStyle() { Restore(); }

  // Gives `w` the style `style` (kept by the caller, alive until Restore).
  void Apply(QWidget* w, QStyle* style);
  // Puts the previous style back; nothing when not applied or the widget is gone.
  void Restore();
  bool Applied() const { return applied_; }
  QWidget* Widget() const { return widget_.data(); }

 private:
  QPointer<QWidget> widget_;
  QPointer<QStyle> previous_;
  bool hadOwn_ = false;
  bool applied_ = false;
};

// A proxy over a fresh instance of the application's style (a proxy owns its
// base, so it cannot share the application's).
QStyle* NewBaseStyle();

}  // namespace skin
