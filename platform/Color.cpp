#include "platform/Color.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

// The classic desktop colour scheme, by system colour index.
constexpr TColor kClassicScheme[SYS_COLOR_COUNT] = {
    RGB(212, 208, 200),  //  0 scroll bar
    RGB(58, 110, 165),   //  1 desktop
    RGB(10, 36, 106),    //  2 active caption
    RGB(128, 128, 128),  //  3 inactive caption
    RGB(212, 208, 200),  //  4 menu
    RGB(255, 255, 255),  //  5 window
    RGB(0, 0, 0),        //  6 window frame
    RGB(0, 0, 0),        //  7 menu text
    RGB(0, 0, 0),        //  8 window text
    RGB(255, 255, 255),  //  9 caption text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application work space
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 3-D dark shadow
    RGB(212, 208, 200),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(181, 181, 181),  // 25 (unused)
    RGB(0, 0, 128),      // 26 hot-tracked item
    RGB(166, 202, 240),  // 27 active caption gradient
    RGB(192, 192, 192),  // 28 inactive caption gradient
    RGB(49, 106, 197),   // 29 menu highlight
    RGB(236, 233, 216),  // 30 menu bar
};

}  // namespace

TColor SysColor(int index) {
  if (index < 0 || index >= SYS_COLOR_COUNT) return clBlack;
  return kClassicScheme[index];
}

TColor ColorToRGB(TColor color) {
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u) return SysColor(color & 0xFF);
  return color & 0x00FFFFFF;
}

QColor ToQColor(TColor color) {
  const TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

int Metric(SysMetric metric) {
  switch (metric) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
      const QScreen* screen = QGuiApplication::primaryScreen();
      if (!screen) return metric == SM_CXSCREEN ? 1024 : 768;
      return metric == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    }
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CXHSCROLL: case SM_CYVSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CYMENU: return 19;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CXICON: case SM_CYICON: return 32;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXSMSIZE: case SM_CYSMSIZE: return 12;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
  }
  return 0;
}

}  // namespace platform
