#pragma once
// The style a skinned QMenu paints and measures through: its items are drawn
// by the owner-draw item painters (MenuItemPaint.h) from the skin's MenuItem
// element, and its border and background come from the background that the
// menu window's skinner (TWinSkinPopMenu) composed from MenuBackground.
// Everything else is the application style's.
//
// One style per menu (a per-widget style reaches no child widget, so every
// submenu gets its own).
#include <QPointer>
#include <QProxyStyle>

#include "skin/menu/MenuHost.h"

class QMenu;
class QStyleOptionMenuItem;

namespace skin {

class TSkinData;
struct TMenuItemLook;

class TSkinMenuStyle : public QProxyStyle {
 public:
  TSkinMenuStyle(QMenu* menu, TSkinData* data, TMenuItemsKind kind);

  QMenu* Menu() const { return menu_.data(); }
  TSkinData* Data() const { return data_.data(); }
  TMenuItemsKind Kind() const { return kind_; }
  void SetData(TSkinData* data, TMenuItemsKind kind);
  // The skin generation the menu was last measured with.
  int MeasuredGeneration() const { return generation_; }
  void SetMeasuredGeneration(int g) { generation_ = g; }

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;

  // The item as the painters see it.
  TMenuItemLook LookOf(const QStyleOptionMenuItem& option, const QWidget* widget) const;

 private:
  // Whether the skin is there to paint with.
  bool Live() const;
  // Whether this menu's window takes its border from MenuBackground.
  bool SkinnedBorder() const;
  // The composed background of the menu window, when it has one.
  const QImage* Background(const QWidget* widget) const;

  QPointer<QMenu> menu_;
  QPointer<TSkinData> data_;
  TMenuItemsKind kind_;
  int generation_ = -1;
};

// The style of a hooked menu, or nullptr.
TSkinMenuStyle* MenuStyleOf(const QMenu* menu);

}  // namespace skin
