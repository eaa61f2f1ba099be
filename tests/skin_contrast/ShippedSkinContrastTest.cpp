// Every text the skinned windows show, painted by the program's own painters
// from the shipped skins (the stored default skin and skins 1 ... 7), must
// stand out from the skin's pixels behind it by at least 4.5:1; the skin for
// reading at night (7) by at least 7:1, the windows' contents in its own
// window colours included.
//
// Each text is painted twice, with and without its text, in a font without
// antialiasing: the pixels that differ are the text's ink, and all of them
// must be the colour the painter's rule gives for that state. The measure is
// the worst background pixel in the ink's bounding box, so the gaps between
// strokes and every texture grain under the text count too.
//
// Disabled states (push buttons, headers, menu items, the status bar) are
// left out, as WCAG leaves out inactive controls: their grey text is meant
// to look unavailable. Only at night are the greyed menu entries measured:
// at least 3:1, and below the 7:1 of the others. Caption-button glyphs, check marks and scroll arrows
// carry no text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QStyleOptionHeader>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/SkinElements.h"
#include "skin/controls/ButtonPaint.h"
#include "skin/controls/HeaderPaint.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/StatusBarPaint.h"
#include "skin/controls/WidgetStyle.h"
#include "skin/frame/FramePaint.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "tests/skin_contrast/Contrast.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Fonts.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace skin;

constexpr double kMinimum = 4.5;
constexpr double kNightMinimum = 7.0;
constexpr double kNightGreyedMinimum = 3.0;

QByteArray ShippedSkin(const QString& id) {
  const QString path = id == QLatin1String("default")
                           ? QStringLiteral(CQ_DEFAULT_SKIN)
                           : QDir(QStringLiteral(CQ_SKINS_DIR)).filePath(QStringLiteral("%1.skn").arg(id));
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

// The program's fonts, drawn without antialiasing so that every inked pixel
// has the text's own colour.
QFont Crisp(QFont f) {
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}
QFont CaptionFont() { return Crisp(toolkit::MakeFont(QStringLiteral("宋体"), 12, true)); }
QFont FormFont() { return Crisp(toolkit::MakeFont(QStringLiteral("宋体"), 13)); }

QColor Colour(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }

// One text in one state, painted with and without its text.
struct TextScene {
  std::string element;
  QImage without, with;
  QColor ink;
};

QImage Filled(const QSize& size, const QColor& c) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

// The caption title of an active and an inactive window, for a short and a
// long title.
void CaptionScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  for (const bool active : {true, false})
    for (const QString& title : {QStringLiteral("每日一贴"), QStringLiteral("Cinnabarquillpad V2014 build 09.01")}) {
      TFrameScene scene;
      scene.size = QSize(640, 400);
      scene.metrics = ComputeFrameMetrics(e, fkSizeable);
      scene.kind = fkSizeable;
      scene.active = active;
      scene.text = QStringLiteral("  ") + title + QStringLiteral(" ");
      scene.font = CaptionFont();
      const TCaptionTextLayout text = LayoutCaption(scene, e);
      TCaptionTextLayout bare = text;
      bare.shown.clear();
      out.push_back({std::string("caption ") + (active ? "active" : "inactive") + " " + title.left(4).toStdString(),
                     ComposeCaptionStrip(scene, e, bare), ComposeCaptionStrip(scene, e, text),
                     Colour(active ? e.Colours.TitleTextActive : e.Colours.TitleTextNoActive)});
    }
}

// The main window's menu bar, active and inactive (under the tip window),
// each item normal, under the pointer and pressed.
void MenuBarScenes(const TSkinElements& e, std::vector<TextScene>& out, bool enabled = true) {
  const QSize size(600, 19);
  const QFont font = Crisp(MenuFont());
  const char* states[] = {"", "normal", "pressed", "hot"};
  const QStringList captions = {QStringLiteral("功能"), QStringLiteral("菜单"), QStringLiteral("阅读"),
                                QStringLiteral("相关网站")};
  for (const bool active : {true, false})
    for (const int state : {1, 3, 2}) {
      std::vector<TMenuBarEntry> items;
      for (const QString& caption : captions) items.push_back({caption, true, enabled, state});
      const std::vector<QRect> rects = LayoutMenuBarItems(items, e, size, font, false);
      const QImage background = ComposeMenuBarBackground(e, size, active);
      for (size_t i = 0; i < items.size(); ++i) {
        QImage without = background, with = background;
        DrawMenuBarItem(without, rects[i], {QString(), true, enabled, state}, e.Colours, font);
        DrawMenuBarItem(with, rects[i], items[i], e.Colours, font);
        out.push_back({std::string("menu bar ") + (active ? "active " : "inactive ") + states[state] + " " +
                           captions[int(i)].toStdString(),
                       without.copy(rects[i]), with.copy(rects[i]),
                       Colour(enabled ? e.Colours.MenuBarText : e.Colours.ButtonShadow)});
      }
    }
}

// A popup menu's items, normal and highlighted, plain and bold (the default
// item), one with a shortcut.
void MenuItemScenes(const TSkinElements& e, std::vector<TextScene>& out, bool enabled = true) {
  const QFont font = Crisp(MenuFont());
  TMenuItemMetrics metrics;
  metrics.lineHeight = QFontMetrics(font).height();
  metrics.menuItemLeft = e.MenuItem ? e.MenuItem->Margins.Left : 0;
  const int h = MeasureMenuItem(mikPopupMenu, metrics).height();
  const QStringList captions = {QStringLiteral("古色古香"), QStringLiteral("新奇前卫"), QStringLiteral("关闭")};
  const QImage background = ComposeMenuBackground(e, QSize(180, 2 * kMenuBorder + h * captions.size()));
  ASSERT_FALSE(background.isNull());
  for (const bool selected : {false, true})
    for (int i = 0; i < captions.size(); ++i) {
      if (selected && !enabled) continue;  // the keyboard may light a greyed item: HilightText, tried above
      TMenuItemLook item;
      item.rect = QRect(kMenuBorder, kMenuBorder + i * h, background.width() - 2 * kMenuBorder, h);
      item.selected = selected;
      item.enabled = enabled;
      item.isDefault = i == 1;
      item.caption = captions[i];
      if (i == 2) item.shortcut = QStringLiteral("Shift+F4");
      TMenuItemLook bare = item, shortcut = item;
      bare.caption.clear();
      bare.shortcut.clear();
      shortcut.caption.clear();
      auto paint = [&](const TMenuItemLook& look) {
        QImage img = background.convertToFormat(QImage::Format_RGB32);
        QPainter p(&img);
        DrawMenuItem(p, look, e, &background, font);
        return img.copy(look.rect);
      };
      const std::string name = std::string("menu item ") + (selected ? "highlighted " : "normal ");
      item.shortcut.clear();
      out.push_back({name + captions[i].toStdString(), paint(bare), paint(item), MenuItemTextColour(item, e.Colours)});
      if (!shortcut.shortcut.isEmpty())
        out.push_back({name + "shortcut", paint(bare), paint(shortcut), MenuItemTextColour(item, e.Colours)});
    }
}

// 搜索 and 退出, and a message box's button, in every state but disabled.
void PushButtonScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  toolkit::TButton button;
  const QColor fontColour = button.palette().color(QPalette::ButtonText);
  const char* names[] = {"", "normal", "pressed", "disabled", "hot or focused", "default"};
  struct Button {
    const char* caption;
    QSize size;
    bool foreign;
  } buttons[] = {{"搜索", {58, 25}, false}, {"退出", {75, 25}, false}, {"确定", {75, 23}, true}};
  for (const Button& b : buttons)
    for (const int index : {1, 2, 4, 5}) {
      QImage bare = Filled(b.size, Qt::black), with = bare;
      PaintPushButtonFace(bare, e, index);
      const QColor ink = PushButtonCaptionColour(e, index, b.foreign, fontColour);
      PaintPushButton(with, e, index, QString::fromUtf8(b.caption), FormFont(), ink);
      out.push_back({std::string("push button ") + b.caption + " " + names[index], bare, with, ink});
    }
}

// The main window's status bar: each of its panels lowered, and the other
// bevels.
void StatusBarScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  const char* bevels[] = {"lowered", "raised", "flat"};
  const toolkit::TStatusPanelBevel kinds[] = {toolkit::pbLowered, toolkit::pbRaised, toolkit::pbNone};
  const QColor ink = Colour(e.StatusBarEdges ? e.StatusBarEdges->NormalColour2 : e.Colours.ButtonText);
  for (int k = 0; k < 3; ++k) {
    TStatusBarLook look;
    look.size = QSize(906, 25);
    look.font = FormFont();
    look.panels.push_back({QRect(0, 0, 250, 25), QStringLiteral("Kestrelwick"), toolkit::taCenter, kinds[k]});
    look.panels.push_back({QRect(250, 0, 250, 25), QStringLiteral("共 56429 首"), toolkit::taLeftJustify, kinds[k]});
    TStatusBarLook bare = look;
    for (TStatusPanelLook& panel : bare.panels) panel.text.clear();
    QImage without = Filled(look.size, Qt::black), with = without;
    PaintStatusBar(without, e, bare);
    PaintStatusBar(with, e, look);
    for (const TStatusPanelLook& panel : look.panels)
      out.push_back({std::string("status panel ") + bevels[k] + " " + panel.text.toStdString(),
                     without.copy(panel.rect), with.copy(panel.rect), ink});
  }
}

// A list's column header, normal, pressed and under the pointer, its label
// drawn by the style as the header skinner has it drawn.
void HeaderScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  std::unique_ptr<QStyle> style(NewBaseStyle());
  const char* names[] = {"", "normal", "pressed", "disabled", "hot"};
  for (const int index : {1, 2, 4}) {
    const QRect rect(0, 0, 120, 20);
    QImage without = Filled(rect.size(), Qt::black);
    {
      QPainter p(&without);
      PaintHeaderSection(p, rect, e, index);
    }
    QImage with = without;
    QPainter p(&with);
    p.setFont(FormFont());
    QStyleOptionHeader label;
    label.rect = rect;
    label.rect = style->subElementRect(QStyle::SE_HeaderLabel, &label);
    label.text = QStringLiteral("作品名称");
    label.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    label.state = QStyle::State_Enabled;
    label.fontMetrics = p.fontMetrics();
    const QColor ink = HeaderTextColour(e, index);
    label.palette.setColor(QPalette::ButtonText, ink);
    label.palette.setColor(QPalette::WindowText, ink);
    style->drawControl(QStyle::CE_HeaderLabel, &label, &p);
    p.end();
    out.push_back({std::string("header ") + names[index], without, with, ink});
  }
}

// Labels and the texts of check boxes and radio buttons: the controls' own
// text colour on the skinned form's ButtonFace.
void FormTextScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  toolkit::TCheckBox box;
  const QColor ink = FormTextColour(e, box.palette().color(QPalette::WindowText));
  const QImage without = Filled(QSize(200, 20), ButtonFaceColour(e));
  QImage with = without;
  QPainter p(&with);
  p.setFont(FormFont());
  p.setPen(ink);
  p.drawText(with.rect(), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("程序启动时显示每日一贴？"));
  p.end();
  out.push_back({"check box and label text", without, with, ink});
}

// A skin with window colours of its own: the windows' contents in them, the
// text pane's and the tables' texts, the current search mark and the others
// (on a third of the highlight over the window colour).
void ContentScenes(const TSkinElements& e, std::vector<TextScene>& out) {
  if (e.Colours.Window == platform::clNone) return;
  const QColor window = Colour(e.Colours.Window), mark = Colour(e.Colours.Hilight);
  const QColor tint((mark.red() + 2 * window.red()) / 3, (mark.green() + 2 * window.green()) / 3,
                    (mark.blue() + 2 * window.blue()) / 3);
  const struct {
    const char* name;
    QColor back, ink;
  } pairs[] = {{"text pane and tables", window, Colour(e.Colours.WindowText)},
               {"current search mark", mark, Colour(e.Colours.HilightText)},
               {"other search marks", tint, Colour(e.Colours.WindowText)},
               {"list highlight", mark, Colour(e.Colours.HilightText)},
               {"bar caption", Colour(e.Colours.ButtonFace), Colour(e.Colours.ButtonText)}};
  for (const auto& pair : pairs) {
    const QImage without = Filled(QSize(200, 20), pair.back);
    QImage with = without;
    QPainter p(&with);
    p.setFont(FormFont());
    p.setPen(pair.ink);
    p.drawText(with.rect(), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("床前明月光，疑是地上霜。"));
    p.end();
    out.push_back({std::string("contents: ") + pair.name, without, with, pair.ink});
  }
}

std::string Hex(const QColor& c) { return c.name().toStdString(); }

TEST(ShippedSkinContrast, EveryTextStandsOutFromItsBackground) {
  testing_support::DialogScript dialogs;
  const bool report = qEnvironmentVariableIsSet("CQ_CONTRAST_REPORT");
  for (const char* skinId : {"default", "1", "2", "3", "4", "5", "6", "7"}) {
    const QString id = QString::fromLatin1(skinId);
    SCOPED_TRACE("skin " + id.toStdString());
    TSkinElements e;
    ASSERT_TRUE(LoadSkinElements(ShippedSkin(id), e));
    // Only the skin for reading at night gives the windows' contents colours of its own.
    EXPECT_EQ(e.Colours.Window != platform::clNone, id == QLatin1String("7"));
    const double minimum = id == QLatin1String("7") ? kNightMinimum : kMinimum;
    std::vector<TextScene> scenes;
    CaptionScenes(e, scenes);
    MenuBarScenes(e, scenes);
    MenuItemScenes(e, scenes);
    PushButtonScenes(e, scenes);
    StatusBarScenes(e, scenes);
    HeaderScenes(e, scenes);
    FormTextScenes(e, scenes);
    ContentScenes(e, scenes);
    // At night the greyed menu entries must still be read, though dimmer
    // than the others (the daylight skins' grey reads on their light menus).
    const size_t enabledScenes = scenes.size();
    if (id == QLatin1String("7")) {
      MenuBarScenes(e, scenes, false);
      MenuItemScenes(e, scenes, false);
    }
    for (size_t k = 0; k < scenes.size(); ++k) {
      const TextScene& s = scenes[k];
      const double least = k < enabledScenes ? minimum : kNightGreyedMinimum;
      SCOPED_TRACE(s.element + (k < enabledScenes ? "" : " (greyed)"));
      ASSERT_EQ(s.with.size(), s.without.size());
      const contrast::TInk ink = contrast::InkOf(s.without, s.with, s.ink);
      // The text was drawn, and all of it in the colour its state calls for.
      ASSERT_GT(ink.pixels, 20);
      EXPECT_EQ(ink.otherColour, 0) << "text drawn in another colour than " << Hex(s.ink);
      const contrast::TWorst worst = contrast::WorstContrast(s.without, ink.box, s.ink);
      if (report)
        std::printf("skin %-7s %-40s %6.2f  text %s on %s\n", qPrintable(id), s.element.c_str(), worst.ratio,
                    Hex(s.ink).c_str(), Hex(worst.background).c_str());
      if (k >= enabledScenes) EXPECT_LT(worst.ratio, minimum) << "greyed text as strong as the rest";
      EXPECT_GE(worst.ratio, least) << "text " << Hex(s.ink) << " on " << Hex(worst.background) << " at ("
                                       << worst.at.x() << ", " << worst.at.y() << ")";
    }
  }
}

}  // namespace
