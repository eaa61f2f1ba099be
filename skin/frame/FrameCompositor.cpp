#include "skin/frame/FrameCompositor.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <exception>
#include <memory>

#include "platform/WinMessage.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuHost.h"

namespace skin {

QImage WindowIconImage(const QWidget* w, const QImage& skinIcon) {
  const int size = platform::Metric(platform::SM_CXSMICON);
  QIcon icon = w ? w->windowIcon() : QIcon();
  if (icon.isNull()) icon = QApplication::windowIcon();
  if (icon.isNull() && !skinIcon.isNull()) return skinIcon;
  if (icon.isNull()) icon = QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton);
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  icon.paint(&p, QRect(0, 0, size, size));
  return image;
}

TCaptionContext TFrameCompositor::Context() const {
  TCaptionContext c;
  c.caps = frame_.Caps();
  c.maximized = frame_.ShowState() == ssMaximized;
  c.active = frame_.Active();
  c.kind = frame_.Kind();
  c.dialogClass = frame_.IsDialog();
  c.M = frame_.M();
  QWidget* w = frame_.Handle();
  c.askWindow = [w](int index) { return platform::SendMessage(w, platform::SKM_BUTTONVISIBLE, index) > 0; };
  return c;
}

TFrameScene TFrameCompositor::Scene() const {
  const QWidget* w = frame_.Handle();
  const TCaptionContext context = Context();
  TFrameScene s;
  s.size = w->size();
  s.metrics = frame_.Metrics();
  s.kind = frame_.Kind();
  s.active = frame_.Active();
  s.rightToLeft = frame_.RightToLeft();
  s.popupStyle = (w->windowFlags() & Qt::WindowType_Mask) == Qt::Dialog;
  s.text = frame_.CaptionText();
  s.font = frame_.CaptionFont();
  s.appIcon = frame_.AppIconImage();
  for (const auto& b : frame_.CaptionButtons()) {
    const TDataSkinSysButton* d = b->Data();
    TCaptionButtonPaint p;
    p.data = d;
    p.showsIcon = d && (d->Action == 3 || d->Action == 11);
    p.visible = d && IsCaptionButtonVisible(*d, b->Index(), context) &&
                (p.showsIcon ? !s.appIcon.isNull() : !d->Image.isNull());
    if (d && b->State != ncsNormal) p.stateFrame = StateButtonFrame(*d, b->State);
    s.buttons.push_back(p);
  }
  return s;
}

void TFrameCompositor::WriteBack(const TFrameScene& scene) {
  const auto& buttons = frame_.CaptionButtons();
  for (size_t i = 0; i < buttons.size() && i < scene.buttons.size(); ++i) {
    buttons[i]->Visible = scene.buttons[i].visible;
    buttons[i]->Rect = scene.buttons[i].visible ? scene.buttons[i].rect : QRect();
  }
}

void TFrameCompositor::LayoutButtons() {
  if (!frame_.Handle() || !frame_.SkinData()) return;
  TFrameScene scene = Scene();
  LayoutCaption(scene, frame_.SkinData()->Elements());
  WriteBack(scene);
}

QImage TFrameCompositor::ComposeFrame() const {
  if (!frame_.Handle() || !frame_.SkinData()) return {};
  return skin::ComposeFrame(Scene(), frame_.SkinData()->Elements());
}

void TFrameCompositor::PaintFrame(QPainter* dc) {
  QWidget* w = frame_.Handle();
  const int life = frame_.Life();
  if (!w || !frame_.SkinData() || (life != flNormal && life != flRefreshing) || frame_.Kind() == fkNone) return;
  try {
    TFrameScene scene = Scene();
    std::unique_ptr<QPainter> own;
    if (!dc) {
      own = std::make_unique<QPainter>(w);
      dc = own.get();
    }
    Compose(*dc, scene);
  } catch (const std::exception& e) {
    // The frame stays unpainted this time; the window goes on working.
    Report(QString::fromUtf8(e.what()));
  }
}

void TFrameCompositor::Compose(QPainter& dc, TFrameScene& scene) {
  const TSkinElements& e = frame_.SkinData()->Elements();
  const TCaptionTextLayout text = LayoutCaption(scene, e);
  WriteBack(scene);
  const int W = scene.size.width(), H = scene.size.height();
  const TFrameMetrics& m = scene.metrics;
  auto put = [&dc](const QPoint& at, const QImage& img) {
    if (!img.isNull()) dc.drawImage(at, img);
  };
  const int generation = frame_.SkinData()->Generation();
  if (!borders_.valid || borders_.size != scene.size || borders_.active != scene.active ||
      borders_.generation != generation) {
    borders_.left = ComposeBorder(e.FrameLeft, {m.L, H}, false, scene.active);
    borders_.right = ComposeBorder(e.FrameRight, {m.R, H}, false, scene.active);
    borders_.bottom = ComposeBorder(e.FrameBottom, {W - m.L - m.R, m.B}, true, scene.active);
    borders_.size = scene.size;
    borders_.active = scene.active;
    borders_.generation = generation;
    borders_.valid = true;
  }
  put({0, 0}, borders_.left);
  put({W - m.R, 0}, borders_.right);
  put({m.L, H - m.B}, borders_.bottom);
  TStripKey key{scene.size, generation, scene.active, scene.rightToLeft, text.shown,
                text.plate, text.textRect, text.clipRight, scene.font, scene.appIcon.cacheKey(), {}};
  for (const TCaptionButtonPaint& b : scene.buttons) key.buttons.emplace_back(b.rect, b.visible, b.stateFrame);
  if (strip_.isNull() || stripKey_ != key) {
    strip_ = ComposeCaptionStrip(scene, e, text);
    stripKey_ = std::move(key);
  }
  put({0, 0}, strip_);
  if (TMenuBarSkinner* bar = frame_.MenuBarSkinner(); bar && m.M > 0) bar->PaintMenuBar(dc, frame_.MenuBarRect());
}

void TFrameCompositor::Report(const QString& error) {
  // Said once per kind of failure: a frame repaints often.
  if (error != lastError_) qWarning("The window frame could not be painted: %s", qUtf8Printable(error));
  lastError_ = error;
}

void TFrameCompositor::Forget() {
  strip_ = QImage();
  stripKey_.reset();
  borders_.valid = false;
}

void TFrameCompositor::UpdateRegion() {
  QWidget* w = frame_.Handle();
  if (!w || !frame_.SkinData() || frame_.Life() == flDestroyed) return;
  if (w->size() == regionSize_ && frame_.Life() != flRefreshing) return;
  const TFrameMetrics& m = frame_.Metrics();
  // Only a strip painted for this size and skin shapes the top.
  const bool stripFits = strip_.width() == w->width() && strip_.height() == m.T;
  const QRegion region = FrameRegion(w->size(), m, frame_.SkinData()->Elements(), frame_.Active(), frame_.Kind(),
                                     stripFits ? strip_ : QImage());
  w->setMask(region);
  regionSize_ = w->size();
}

void TFrameCompositor::ClearRegion() {
  if (QWidget* w = frame_.Handle()) w->clearMask();
  regionSize_ = {};
}

}  // namespace skin
