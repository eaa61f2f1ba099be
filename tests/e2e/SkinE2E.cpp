#include "tests/e2e/SkinE2E.h"
#include <algorithm>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>

#include "skin/core/SkinElements.h"
#include "skin/engine/DefaultSkin.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FramePaint.h"
#include "skin/menu/MenuBarPaint.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "toolkit/Application.h"
#include "toolkit/Fonts.h"

namespace skine2e {

namespace {
QString Xdotool(const e2e::VirtualDisplay& d, const QStringList& args) {
  return e2e::Run(d, QStringLiteral("xdotool"), args, 10000);
}
QString Num(int v) { return QString::number(v); }
}  // namespace

Openbox::Openbox(const e2e::VirtualDisplay& display) {
  process_.setProcessEnvironment(display.Environment());
  process_.start(QStringLiteral("openbox"), {});
  if (!process_.waitForStarted(5000)) return;
  const QDeadlineTimer deadline(e2e::Patience(10000));
  while (!deadline.hasExpired()) {
    const QString out = e2e::Run(display, QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    if (out.contains(QStringLiteral("window id"))) {
      ok_ = true;
      return;
    }
    QThread::msleep(100);
  }
}

Openbox::~Openbox() {
  process_.terminate();
  if (!process_.waitForFinished(3000)) process_.kill();
  process_.waitForFinished(2000);
}

namespace {

std::optional<e2e::Window> Describe(const e2e::VirtualDisplay& display, const QString& id) {
  const QString info = e2e::Run(display, QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  if (!info.contains(QStringLiteral("Map State: IsViewable"))) return std::nullopt;
  auto value = [&info](const char* key) {
    const QRegularExpression re(QString::fromLatin1(key) + QStringLiteral(":\\s*(-?\\d+)"));
    return re.match(info).captured(1).toInt();
  };
  e2e::Window w;
  w.id = id;
  const QRegularExpression name(QStringLiteral("xwininfo: Window id: \\S+ \"(.*)\""));
  w.title = name.match(info).captured(1);
  w.geometry = QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"));
  return w;
}

QStringList Ids(const QString& out) {
  QStringList ids;
  for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    ids << QStringLiteral("0x%1").arg(line.trimmed().toULongLong(), 0, 16);
  return ids;
}

}  // namespace

std::optional<e2e::Window> FindWindow(const e2e::VirtualDisplay& display, const QString& title, int timeoutMs) {
  const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
  for (;;) {
    const QString pattern = QStringLiteral("^") + QRegularExpression::escape(title) + QStringLiteral("$");
    for (const QString& id : Ids(Xdotool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                   QStringLiteral("--name"), pattern})))
      if (auto w = Describe(display, id); w && w->title == title) return w;
    if (deadline.hasExpired()) return std::nullopt;
    QThread::msleep(100);
  }
}

bool WindowGone(const e2e::VirtualDisplay& display, const QString& title, int timeoutMs) {
  const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
  for (;;) {
    if (!FindWindow(display, title, 0)) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
}

QList<e2e::Window> ProgramWindows(const e2e::VirtualDisplay& display) {
  QList<e2e::Window> list;
  for (const QString& id : Ids(Xdotool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--class"), QStringLiteral("cinnabarquillpad")})))
    if (auto w = Describe(display, id)) list.append(*w);
  return list;
}

std::optional<e2e::Window> WaitForNewProgramWindow(const e2e::VirtualDisplay& display,
                                                   const QList<e2e::Window>& before, int timeoutMs) {
  const QDeadlineTimer deadline(e2e::Patience(timeoutMs));
  do {
    for (const e2e::Window& w : ProgramWindows(display))
      if (std::none_of(before.begin(), before.end(), [&w](const e2e::Window& b) { return b.id == w.id; })) return w;
    QThread::msleep(50);
  } while (!deadline.hasExpired());
  return std::nullopt;
}

bool HasFocus(const e2e::VirtualDisplay& display, const e2e::Window& window) {
  const QString focus = Xdotool(display, {QStringLiteral("getwindowfocus"), QStringLiteral("-f")}).trimmed();
  return !focus.isEmpty() && focus.toULongLong() == window.id.toULongLong(nullptr, 16);
}

void Press(const e2e::VirtualDisplay& d, QPoint p, int button) {
  Xdotool(d, {QStringLiteral("mousemove"), Num(p.x()), Num(p.y()), QStringLiteral("mousedown"), Num(button)});
}

void MoveHeld(const e2e::VirtualDisplay& d, QPoint pressed, QPoint by) {
  const QPoint start = pressed + QPoint(pressed.x() > 0 ? -1 : 1, 0);
  Xdotool(d, {QStringLiteral("mousemove"), Num(start.x()), Num(start.y())});
  QThread::msleep(150);
  Xdotool(d, {QStringLiteral("mousemove"), Num(pressed.x() + by.x()), Num(pressed.y() + by.y())});
  QThread::msleep(150);
}

void Release(const e2e::VirtualDisplay& d, QPoint p, int button) {
  Xdotool(d, {QStringLiteral("mousemove"), Num(p.x()), Num(p.y()), QStringLiteral("mouseup"), Num(button)});
}

void DoubleClick(const e2e::VirtualDisplay& d, QPoint p, int button) {
  Xdotool(d, {QStringLiteral("mousemove"), Num(p.x()), Num(p.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
              QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("80"), Num(button)});
}

std::unique_ptr<skin::TSkinData> LoadSkin(int n) {
  auto data = std::make_unique<skin::TSkinData>();
  if (n == 0) {
    data->ReadSkinStream(skin::DefaultSkinStream());
  } else {
    QFile file(QDir(e2e::BinDir()).filePath(QStringLiteral("skins/%1.skn").arg(n)));
    if (file.open(QIODevice::ReadOnly)) {
      QByteArray stream(4, '\0');
      const qint32 size = static_cast<qint32>(file.size());
      for (int i = 0; i < 4; ++i) stream[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
      data->ReadSkinStream(stream + file.readAll());
    }
  }
  return data;
}

FrameExpectation ExpectedFrame(const skin::TSkinData& data, const WindowTraits& t, QSize size, bool active) {
  toolkit::TheApplication();  // the same font substitutions as the program
  const skin::TSkinElements& e = data.Elements();
  FrameExpectation x;
  x.metrics = skin::ComputeFrameMetrics(e, t.kind);
  skin::TFrameScene scene;
  scene.size = size;
  scene.metrics = x.metrics;
  scene.kind = t.kind;
  scene.active = active;
  scene.popupStyle = t.popupStyle;
  scene.text = QStringLiteral("  ") + t.title + QStringLiteral(" ");
  scene.font = toolkit::MakeFont(QStringLiteral("宋体"), 12, true);
  scene.appIcon = QImage(16, 16, QImage::Format_RGB32);
  scene.appIcon.fill(QColor(255, 0, 255));
  skin::TCaptionContext c;
  c.caps = t.caps;
  c.maximized = t.maximized;
  c.active = active;
  c.kind = t.kind;
  c.dialogClass = t.dialogClass;
  for (size_t i = 0; i < e.SysButtons.size(); ++i) {
    const skin::TDataSkinSysButton* d = e.SysButtons[i].get();
    skin::TCaptionButtonPaint p{d, {}, skin::IsCaptionButtonVisible(*d, static_cast<int>(i), c),
                                d->Action == 3 || d->Action == 11};
    p.visible = p.visible && (p.showsIcon || !d->Image.isNull());
    scene.buttons.push_back(p);
  }
  skin::TFrameScene laid = scene;
  const skin::TCaptionTextLayout text = skin::LayoutCaption(laid, e);
  x.textRect = text.textRect;
  x.clipRight = text.clipRight;
  for (const auto& b : laid.buttons) {
    if (b.visible && b.showsIcon) x.icons.append(b.rect);
    else if (b.visible) x.buttons.append({b.data->Action, b.rect});
  }
  x.frame = skin::ComposeFrame(scene, e);
  return x;
}

FrameComparison CompareFrame(const QImage& shot, const QRect& window, const FrameExpectation& x, int scale) {
  FrameComparison r;
  const QImage& f = x.frame;
  for (int y = 0; y < f.height(); ++y) {
    for (int xx = 0; xx < f.width(); ++xx) {
      const QRgb want = f.pixel(xx, y);
      if (qAlpha(want) == 0) continue;  // the client
      if ((want & 0xFFFFFFu) == 0xFF00FFu) continue;  // cut by the region
      const QPoint p(xx, y);
      if (x.textRect.adjusted(-1, -1, 1, 1).contains(p)) continue;
      bool icon = false;
      for (const QRect& i : x.icons) icon = icon || i.contains(p);
      if (icon) continue;
      const QRect square(window.topLeft() + p * scale, QSize(scale, scale));
      if (!shot.rect().contains(square)) continue;
      ++r.compared;
      QPoint wrong(-1, -1);
      for (int dy = 0; dy < scale && wrong.x() < 0; ++dy)
        for (int dx = 0; dx < scale && wrong.x() < 0; ++dx)
          if ((shot.pixel(square.topLeft() + QPoint(dx, dy)) & 0xFFFFFFu) != (want & 0xFFFFFFu))
            wrong = square.topLeft() + QPoint(dx, dy);
      if (wrong.x() >= 0) {
        if (r.different == 0)
          r.firstDifference = QStringLiteral("(%1,%2) shows %3, the skin %4")
                                  .arg(xx)
                                  .arg(y)
                                  .arg(shot.pixel(wrong) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
                                  .arg(want & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
        ++r.different;
      }
    }
  }
  return r;
}

void KeepShot(const QImage& shot, const QString& name) {
  const QString dir = QDir(e2e::ShotDir()).filePath(QStringLiteral("skins"));
  QDir().mkpath(dir);
  shot.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

// ---- the program's windows and menus ------------------------------------------

WindowTraits MainTraits(bool maximized) {
  WindowTraits t;
  t.title = kMainTitle;
  t.kind = skin::fkSizeable;
  t.maximized = maximized;
  return t;
}

WindowTraits TipTraits() {
  WindowTraits t;
  t.title = kTipTitle;
  t.kind = skin::fkDialog;
  t.caps = {true, false, false, false};
  t.popupStyle = true;
  return t;
}

WindowTraits MessageTraits(const QString& title) {
  WindowTraits t;
  t.title = title;
  t.kind = skin::fkDialog;
  t.caps = {true, false, false, false};
  t.dialogClass = true;
  t.popupStyle = true;
  return t;
}

testing::AssertionResult ShowsFrame(const QImage& shot, const e2e::Window& window, const skin::TSkinData& skin,
                                    const WindowTraits& traits, bool active, int scale) {
  const skine2e::FrameExpectation x = ExpectedFrame(skin, traits, window.geometry.size() / scale, active);
  const skine2e::FrameComparison c = skine2e::CompareFrame(shot, window.geometry, x, scale);
  if (c.compared < 100) return testing::AssertionFailure() << "only " << c.compared << " frame pixels compared";
  if (c.different == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << c.different << " of " << c.compared << " frame pixels differ, first "
                                     << c.firstDifference.toStdString();
}

Layout LayoutOf(const e2e::Window& main, const skin::TSkinData& s) {
  Layout l;
  l.e = &s.Elements();
  l.m = skin::ComputeFrameMetrics(s.Elements(), skin::fkSizeable);
  l.bar = QRect(main.geometry.left() + l.m.L, main.geometry.top() + l.m.T,
                main.geometry.width() - l.m.L - l.m.R, kBarHeight);
  return l;
}

QRect FirstEntry(const Layout& l) {
  const std::vector<skin::TMenuBarEntry> entries = {{QStringLiteral("功能")}};
  const auto rects = skin::LayoutMenuBarItems(entries, *l.e, l.bar.size(), skin::MenuFont(), false);
  return rects[0].translated(l.bar.topLeft());
}

int ItemHeight() {
  skin::TMenuItemMetrics m;
  m.lineHeight = QFontMetrics(skin::MenuFont()).height();
  return skin::MeasureMenuItem(skin::mikMenuBarSub, m).height();
}

std::optional<e2e::Window> MenuAt(const e2e::VirtualDisplay& d, QPoint at, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    for (const e2e::Window& w : skine2e::ProgramWindows(d))
      if (w.title != kMainTitle && w.geometry.topLeft() == at) return w;
    QThread::msleep(50);
  }
  return std::nullopt;
}

// What a skinned menu window of `size` shows in its border and, when `lit`,
// in its first item outside the caption: the skin's painters at that size.
namespace {
QImage ExpectedMenu(const skin::TSkinElements& e, QSize size, bool lit) {
  QImage img = skin::ComposeMenuBackground(e, size);
  if (img.isNull()) return img;
  if (lit) {
    skin::TMenuItemLook look;
    look.rect = QRect(skin::kMenuBorder, skin::kMenuBorder, size.width() - 2 * skin::kMenuBorder, ItemHeight());
    look.selected = true;
    QPainter p(&img);
    skin::DrawMenuItem(p, look, e, &img, skin::MenuFont());
  }
  return img;
}
}  // namespace

testing::AssertionResult ShowsSkinnedMenu(const QImage& shot, const e2e::Window& menu, const skin::TSkinElements& e,
                                          bool lit) {
  if (!shot.rect().contains(menu.geometry)) return testing::AssertionFailure() << "the menu lies outside the shot";
  const QImage x = ExpectedMenu(e, menu.geometry.size(), lit);
  if (x.isNull()) return testing::AssertionFailure() << "the skin has no MenuBackground";
  QRegion compared = skin::MenuBorderRegion(menu.geometry.size());
  if (lit) {
    skin::TMenuItemLook look;
    look.rect = QRect(skin::kMenuBorder, skin::kMenuBorder, x.width() - 2 * skin::kMenuBorder, ItemHeight());
    compared += QRect(look.rect.topLeft(), QPoint(skin::MenuItemParts(look, e).captionRect.left() - 1,
                                                   look.rect.bottom()));
  }
  int n = 0, different = 0;
  QString first;
  for (const QRect& r : compared)
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x0 = r.left(); x0 <= r.right(); ++x0) {
        const QPoint at = menu.geometry.topLeft() + QPoint(x0, y);
        ++n;
        if ((shot.pixel(at) & 0xFFFFFFu) != (x.pixel(x0, y) & 0xFFFFFFu)) {
          if (different++ == 0) first = QStringLiteral("(%1, %2)").arg(x0).arg(y);
        }
      }
  if (different == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << different << " of " << n << " pixels differ, first at " << first.toStdString();
}

}  // namespace skine2e
