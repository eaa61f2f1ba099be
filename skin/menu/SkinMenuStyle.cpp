#include "skin/menu/SkinMenuStyle.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include "platform/Color.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "skin/menu/WinSkinPopMenu.h"

namespace skin {

namespace {

int MenuItemLeftMargin(const TSkinElements& e) {
  return e.MenuItem && !e.MenuItem->Image.isNull() ? e.MenuItem->Margins.Left : 0;
}

QColor MenuColour(const TSkinElements& e) { return platform::ToQColor(platform::ColorToRGB(e.Colours.Menu)); }

}  // namespace

TSkinMenuStyle::TSkinMenuStyle(QMenu* menu, TSkinData* data, TMenuItemsKind kind)
    : menu_(menu), data_(data), kind_(kind) {}

void TSkinMenuStyle::SetData(TSkinData* data, TMenuItemsKind kind) {
  data_ = data;
  kind_ = kind;
}

bool TSkinMenuStyle::Live() const { return data_ && !data_->NotLoaded(); }

bool TSkinMenuStyle::SkinnedBorder() const {
  const TSkinManage* m = TSkinManage::Instance();
  return Live() && m && m->Active() && HasMenuBackground(data_->Elements());
}

const QImage* TSkinMenuStyle::Background(const QWidget* widget) const {
  TWinSkinPopMenu* skinner = PopupSkinnerOf(widget);
  return skinner ? skinner->Background() : nullptr;
}

int TSkinMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  if (Live()) {
    switch (metric) {
      case PM_MenuPanelWidth:
        if (SkinnedBorder()) return kMenuBorder;
        break;
      case PM_MenuHMargin:
      case PM_MenuVMargin:
        // The items fill the window inside its border.
        return 0;
      default: break;
    }
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

int TSkinMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const {
  if (hint == SH_Menu_Mask && Live()) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

TMenuItemLook TSkinMenuStyle::LookOf(const QStyleOptionMenuItem& o, const QWidget* widget) const {
  TMenuItemLook look;
  look.rect = o.rect;
  const qsizetype tab = o.text.indexOf(u'\t');
  look.caption = tab >= 0 ? o.text.left(tab) : o.text;
  look.shortcut = tab >= 0 ? o.text.mid(tab + 1) : QString();
  look.separator = o.menuItemType == QStyleOptionMenuItem::Separator;
  look.selected = o.state.testFlag(State_Selected);
  look.enabled = o.state.testFlag(State_Enabled);
  look.checked = o.checkType != QStyleOptionMenuItem::NotCheckable && o.checked;
  look.isDefault = o.menuItemType == QStyleOptionMenuItem::DefaultItem;
  look.hasSubmenu = o.menuItemType == QStyleOptionMenuItem::SubMenu;
  look.rightToLeft = o.direction == Qt::RightToLeft;
  look.icon = o.icon;
  if (kind_ == mikSystemMenu && data_) {
    // The system menu draws its glyphs from the skin's menu image list.
    look.images = &data_->MenuGlyphs();
    look.imageListWidth = data_->MenuGlyphs().Width();
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
      if (const QAction* a = menu->actionAt(o.rect.center())) {
        bool ok = false;
        const int index = a->property("ImageIndex").toInt(&ok);
        look.imageIndex = ok ? index : -1;
      }
  }
  return look;
}

QSize TSkinMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || !item || !Live()) return QProxyStyle::sizeFromContents(type, option, size, widget);
  const TMenuItemLook look = LookOf(*item, widget);
  const QFontMetrics fm(item->font);
  TMenuItemMetrics m;
  m.captionWidth = CaptionTextSize(fm, look.caption).width();
  m.shortcutWidth = look.shortcut.isEmpty() ? 0 : fm.horizontalAdvance(look.shortcut);
  m.lineHeight = fm.height();
  m.separator = look.separator;
  m.imageListWidth = kind_ == mikSystemMenu ? look.imageListWidth : 0;
  m.menuItemLeft = MenuItemLeftMargin(data_->Elements());
  QSize measured = MeasureMenuItem(kind_, m);
  // The menu adds the widest shortcut to every row itself.
  measured.rwidth() -= m.shortcutWidth;
  return measured;
}

void TSkinMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  if (Live() && (element == PE_PanelMenu || element == PE_FrameMenu)) {
    if (const QImage* background = Background(widget)) {
      painter->drawImage(0, 0, *background);
      return;
    }
    if (element == PE_PanelMenu) {
      painter->fillRect(option->rect, MenuColour(data_->Elements()));
      return;
    }
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TSkinMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (!item || !Live()) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  switch (element) {
    case CE_MenuItem:
      DrawMenuItem(*painter, LookOf(*item, widget), data_->Elements(), Background(widget), item->font);
      return;
    case CE_MenuEmptyArea:
      if (const QImage* background = Background(widget)) painter->drawImage(0, 0, *background);
      else painter->fillRect(option->rect, MenuColour(data_->Elements()));
      return;
    default: QProxyStyle::drawControl(element, option, painter, widget);
  }
}

}  // namespace skin
