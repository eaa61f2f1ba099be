#include "controls/styled/QexButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "controls/styled/FlatUtils.h"
#include "controls/styled/QexLayout.h"
#include "platform/Edges.h"
#include "platform/Picture.h"
#include "platform/PointerPixel.h"
#include "platform/Sound.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"

namespace styled {

namespace {

constexpr const char* kQexVersion = "2.1.0.0";

struct KindEntry {
  const char* normal;
  const char* hot;
  const char* caption;
  int modalResult;  // 0: none
};

// By TKind ordinal; skCustom has no entry of its own.
constexpr KindEntry kKinds[] = {
    {nullptr, nullptr, nullptr, 0},         {"dagqexb", "daqexb", "OK", 1},
    {"iksicgqexb", "iksicqexb", "Cancel", 2}, {"pomocgqexb", "pomocqexb", "&Help", 0},
    {"dagqexb", "daqexb", "&Yes", 6},       {"negqexb", "neqexb", "&No", 7},
    {"exitgqexb", "exitqexb", "&Close", 0}, {"iksicgqexb", "iksicqexb", "Abort", 3},
    {"Retrigqexb", "Retriqexb", "&Retry", 4}, {"ignogqexb", "ignoqexb", "&Ignore", 5},
    {"svegqexb", "sveqexb", "&All", 8},     {"glupigqexb", "glupiqexb", "&Silly", 0},
};

// A frame of `width` rings in two colours; dotted frames set every other pixel.
void Frame(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width, bool dotted) {
  for (int i = 0; i < width && !r.isEmpty(); ++i) {
    const int l = r.x(), t = r.y(), rr = Right(r) - 1, b = Bottom(r) - 1;
    auto dot = [&](int x, int y, const QColor& c) {
      if (!dotted || ((x + y) & 1) == 0) p.fillRect(QRect(x, y, 1, 1), c);
    };
    if (!dotted) {
      p.fillRect(QRect(l, t, 1, b - t), topLeft);
      p.fillRect(QRect(l, t, rr - l, 1), topLeft);
      p.fillRect(QRect(rr, t, 1, b - t + 1), bottomRight);
      p.fillRect(QRect(l, b, rr - l + 1, 1), bottomRight);
    } else {
      for (int y = t; y < b; ++y) dot(l, y, topLeft);
      for (int x = l; x < rr; ++x) dot(x, t, topLeft);
      for (int y = t; y <= b; ++y) dot(rr, y, bottomRight);
      for (int x = l; x <= rr; ++x) dot(x, b, bottomRight);
    }
    r.adjust(1, 1, -1, -1);
  }
}

// Every pure-black pixel of `cell` in the highlight colour one pixel right and
// down, then in the shadow colour at its place; nothing else is drawn.
void Emboss(QPainter& p, QPoint at, const QImage& cell) {
  const QImage src = cell.convertToFormat(QImage::Format_RGB32);
  const QColor highlight = platform::ToQColor(platform::clBtnHighlight), shadow = platform::ToQColor(platform::clBtnShadow);
  const QRgb black = qRgb(0, 0, 0);
  for (int pass = 0; pass < 2; ++pass)
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x)
        if (src.pixel(x, y) == black)
          p.fillRect(QRect(at.x() + x + (pass == 0), at.y() + y + (pass == 0), 1, 1), pass == 0 ? highlight : shadow);
}

// The caption is one line; "&" marks the accelerator; tabs are expanded.
constexpr int kCaptionFlags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs;

int CellCount(const QImage& image, int current) {
  const int w = image.width(), h = image.height();
  int cells = current;
  if (w < h || w / h < 2) cells = 1;
  if (w % h == 0) cells = w / h > 4 ? 1 : w / h;
  return std::clamp(cells, 1, 4);
}

}  // namespace

TQexButton::TQexButton(QWidget* parent) : QWidget(parent) {
  resize(75, 25);
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  startTimer_.setInterval(50);
  repeatTimer_.setInterval(50);
  connect(&startTimer_, &QTimer::timeout, this, [this] {
    if (!repeatAction_) return;
    startTimer_.stop();
    repeatTimer_.start();
  });
  connect(&repeatTimer_, &QTimer::timeout, this, [this] {
    if (repeatAction_ && OnClick) toolkit::Dispatch(OnClick);
  });
  returnKey_ = new QShortcut(QKeySequence(Qt::Key_Return), this);
  enterKey_ = new QShortcut(QKeySequence(Qt::Key_Enter), this);
  escapeKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  for (QShortcut* s : {returnKey_, enterKey_, escapeKey_}) {
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, [this] {
      if (CanTakeFocus()) Click();
    });
  }
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
  ApplyStyle();
  FocusChanged(QApplication::focusWidget());
}

// A focused button loses the focus in ~QWidget, which announces the change:
// by then this is no longer a button, so the watch ends first.
TQexButton::~TQexButton() { disconnect(focusWatch_); }

QString TQexButton::Version() const { return QString::fromLatin1(kQexVersion); }

// ---- resources ----

QImage TQexButton::ResourcePicture(const QString& name) {
  const QImage image = platform::ReadPicture(QStringLiteral(":/styled/%1.bmp").arg(name.toLower()));
  return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

QCursor TQexButton::HandCursor() {
  const QPixmap hand = QPixmap::fromImage(platform::ReadPicture(QStringLiteral(":/styled/handqexb.png")));
  return hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 0, 0);
}

QByteArray TQexButton::HoverSound() {
  QFile f(QStringLiteral(":/styled/preko.wav"));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// ---- properties ----

void TQexButton::StyleColors(platform::TColor* topLeft, platform::TColor* bottomRight) const {
  switch (style_) {
    case stDefault: *topLeft = platform::clBtnHighlight; *bottomRight = platform::clBlack; break;
    case stFrameLowered: *topLeft = platform::clBtnShadow; *bottomRight = platform::clBtnHighlight; break;
    default: *topLeft = platform::clBtnHighlight; *bottomRight = platform::clBtnShadow; break;
  }
}

void TQexButton::ApplyStyle() {
  switch (style_) {
    case stFlat: case stFlatDot: normalWidth_ = 0; hotWidth_ = 1; break;
    case stNone: normalWidth_ = 0; hotWidth_ = 0; break;
    case stRaised: case stRaisedDot: normalWidth_ = 2; hotWidth_ = 2; break;
    case stDefault: case stFrameLowered: case stFrameRaised: normalWidth_ = 1; hotWidth_ = 1; break;
  }
  dotted_ = style_ == stFlatDot || style_ == stRaisedDot;
  if (Framed()) {
    parentColor_ = false;
    color_ = platform::clBtnFace;
  }
  if (style_ == stNone) return;
  if (marginStyle_ == cmDefault) {
    StyleColors(&workTopLeft_, &workBottomRight_);
    marginLeftTop_ = workTopLeft_;
    marginRightBottom_ = workBottomRight_;
  } else {
    workTopLeft_ = marginLeftTop_;
    workBottomRight_ = marginRightBottom_;
  }
}

void TQexButton::SetButtonStyle(TStyle v) {
  style_ = v;
  ApplyStyle();
  update();
}

void TQexButton::SetColorMarginStyle(TColorMarginDefault v) {
  marginStyle_ = v;
  if (v == cmDefault && style_ != stNone) {
    StyleColors(&workTopLeft_, &workBottomRight_);
    marginLeftTop_ = workTopLeft_;
    marginRightBottom_ = workBottomRight_;
  }
  update();
}

void TQexButton::SetColorMargin(int index, platform::TColor v) {
  platform::TColor styleTopLeft, styleBottomRight;
  StyleColors(&styleTopLeft, &styleBottomRight);
  if (index == 1) {
    if (v == marginLeftTop_) return;
    marginLeftTop_ = workTopLeft_ = v;
    if (marginStyle_ == cmDefault && v != styleTopLeft) marginStyle_ = cmCustom;
  } else if (index == 2) {
    if (v == marginRightBottom_) return;
    marginRightBottom_ = workBottomRight_ = v;
    if (marginStyle_ == cmDefault && v != styleBottomRight) marginStyle_ = cmCustom;
  } else {
    return;
  }
  update();
}

void TQexButton::SetButtonKind(TKind v) {
  if (v != kind_) {
    glyph_ = QImage();
    glyphHot_ = QImage();
  }
  kind_ = v;
  if (v != skCustom) {
    const KindEntry& k = kKinds[v];
    glyph_ = ResourcePicture(QString::fromLatin1(k.normal));
    glyphHot_ = ResourcePicture(QString::fromLatin1(k.hot));
    SetCaption(QString::fromLatin1(k.caption));
    numGlyphs_ = 1;
    numGlyphsHot_ = 1;
  }
  cancel_ = v == skCancel || v == skNo;
  default_ = v == skOK || v == skYes;
  FocusChanged(QApplication::focusWidget());
  update();
}

void TQexButton::SetLayout(TLayout v) {
  layout_ = v;
  update();
}

void TQexButton::SetSpacing(int v) {
  v = std::clamp(v, 1, 5);
  if (spacing_ == v) return;
  spacing_ = v;
  update();
}

void TQexButton::SetSpacingLayout(int v) {
  v = std::clamp(v, -5, 5);
  if (spacingLayout_ == v) return;
  spacingLayout_ = v;
  update();
}

void TQexButton::SetGlyph(const QImage& v) {
  if (&v != &glyph_) {
    glyph_ = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
    if (!glyph_.isNull()) numGlyphs_ = CellCount(glyph_, numGlyphs_);
    update();
  }
  kind_ = skCustom;
}

void TQexButton::SetGlyphHot(const QImage& v) {
  if (&v != &glyphHot_) {
    glyphHot_ = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
    if (!glyphHot_.isNull()) numGlyphsHot_ = CellCount(glyphHot_, numGlyphsHot_);
    update();
  }
  kind_ = skCustom;
}

void TQexButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (numGlyphs_ == v) return;
  numGlyphs_ = v;
  update();
}

void TQexButton::SetNumGlyphsHot(int v) {
  v = std::clamp(v, 1, 4);
  if (numGlyphsHot_ == v) return;
  numGlyphsHot_ = v;
  update();
}

void TQexButton::SetPopupMenu(QMenu* menu) {
  popupMenu_ = menu;  // the guarded pointer clears itself when the menu is destroyed
  update();
}

void TQexButton::SetPopupMenuMark(bool v) {
  popupMenuMark_ = v;
  update();
}

void TQexButton::SetPopupMenuMarkGap(int v) {
  v = std::clamp(v, 1, 5);
  if (markGap_ == v) return;
  markGap_ = v;
  update();
}

void TQexButton::SetDefault(bool v) {
  default_ = v;
  FocusChanged(QApplication::focusWidget());
}

void TQexButton::SetCancel(bool v) {
  cancel_ = v;
  UpdateShortcuts();
}

void TQexButton::SetHintSecondLine(const QString& v) {
  hintSecondLine_ = v;
  if (!toolTip().isEmpty() && !v.isEmpty()) setToolTip(toolTip() + QLatin1Char('\r') + v);
}

void TQexButton::SetCaption(const QString& v) {
  if (caption_ == v) return;
  caption_ = v;
  delete accelKey_;
  accelKey_ = nullptr;
  const QChar accel = AcceleratorOf(v);
  if (!accel.isNull()) {
    accelKey_ = new QShortcut(QKeySequence(Qt::ALT | QKeySequence(QString(accel))[0].key()), this);
    accelKey_->setContext(Qt::WindowShortcut);
    connect(accelKey_, &QShortcut::activated, this, [this] {
      if (CanTakeFocus()) Click();
    });
  }
  update();
}

platform::TColor TQexButton::Color() const {
  if (parentColor_ && parentWidget()) {
    const QVariant c = parentWidget()->property("Color");
    if (c.isValid() && c.canConvert<int>()) return c.toInt();
    return platform::FromQColor(parentWidget()->palette().color(QPalette::Window));
  }
  return color_;
}

void TQexButton::SetColor(platform::TColor v) {
  parentColor_ = false;
  color_ = Framed() ? platform::clBtnFace : v;
  update();
}

void TQexButton::SetParentColor(bool v) {
  if (parentColor_ == v) return;
  parentColor_ = v;
  update();
}

void TQexButton::SetFontColor(platform::TColor v) {
  if (fontColor_ == v) return;
  fontColor_ = v;
  update();
}

// ---- keys and focus ----

void TQexButton::FocusChanged(QWidget* now) {
  if (now == this)
    active_ = true;
  else if (qobject_cast<TQexButton*>(now))
    active_ = false;
  else
    active_ = default_;
  if (Framed() && hasFocus() && showFocused_) update();
  UpdateShortcuts();
}

void TQexButton::UpdateShortcuts() {
  returnKey_->setEnabled(active_);
  enterKey_->setEnabled(active_);
  escapeKey_->setEnabled(cancel_);
}

void TQexButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (Framed()) focused_ = true;
  // A flat button shows a mark for the keyboard's focus only.
  keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  if (!Framed()) update();
}

void TQexButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  keyboardFocus_ = false;
  if (!Framed()) {
    update();
    return;
  }
  focused_ = false;
  if (showFocused_) update();
}

void TQexButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ||
      !CanTakeFocus()) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) Click();
}

// ---- pointer ----

void TQexButton::ShowLook(TLook look) {
  look_ = look;
  repaint();  // the feedback shows at once
}

void TQexButton::PointerEnters() {
  if (!isEnabled() || inside_) return;
  inside_ = true;
  toolkit::Raise(OnMouseOver);
  left_ = false;
  pressed_ = 0;
  if (Framed() && popupMenu_) setFocus(Qt::MouseFocusReason);
  if (cursorHandCustom_) setCursor(HandCursor());
  hotCaptionFlag_ = false;
  if (playMusic_) platform::PlaySoundSync(HoverSound());
  ShowLook(lkHot);
}

void TQexButton::PointerLeaves() {
  if (!isEnabled() || !inside_) return;
  inside_ = false;
  toolkit::Raise(OnMouseOut);
  left_ = true;
  pressed_ = 0;
  if (cursorHandCustom_) unsetCursor();
  if (repeatAction_) StopTimers();
  hotCaptionFlag_ = true;
  ShowLook(lkNormal);
}

void TQexButton::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  PointerEnters();
}

void TQexButton::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  PointerLeaves();
}

void TQexButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (!inside_) PointerEnters();
  pressedInside_ = true;
  if (repeatAction_) startTimer_.start();
  hotCaptionFlag_ = false;
  pressed_ = 1;
  ShowLook(lkPressed);
  if (popupMenu_) {
    pressedInside_ = false;  // the release goes to the menu
    PopupSequence();
  }
  const QPoint pos = platform::PixelAt(event);
  toolkit::Raise(OnMouseDown, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TQexButton::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  // While the button is held the pointer stays captured; leaving and coming back
  // are noticed here.
  if (event->buttons() & Qt::LeftButton) {
    if (rect().contains(pos))
      PointerEnters();
    else
      PointerLeaves();
  }
  toolkit::Raise(OnMouseMove, event->modifiers(), pos.x(), pos.y());
}

void TQexButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const QPoint pos = platform::PixelAt(event);
  const bool click = pressedInside_ && rect().contains(pos);
  pressedInside_ = false;
  if (left_) return;
  if (click) Click();
  if (repeatAction_) StopTimers();
  pressed_ = 0;
  ShowLook(lkHot);
  if (Framed()) setFocus(Qt::MouseFocusReason);
  toolkit::Raise(OnMouseUp, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TQexButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  toolkit::Raise(OnDblClick);
  mousePressEvent(event);
  pressedInside_ = false;  // the release that follows gives no second toolkit click
  if (event->button() == Qt::LeftButton) Click();
}

void TQexButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) {
        pressed_ = 0;
        hotCaptionFlag_ = true;
        inside_ = false;
        look_ = lkNormal;
        StopTimers();
      }
      update();
      break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
      if (parentColor_) update();
      break;
    case QEvent::FontChange:
      update();
      break;
    default: break;
  }
}

void TQexButton::StopTimers() {
  startTimer_.stop();
  repeatTimer_.stop();
}

// ---- click ----

void TQexButton::Click() {
  toolkit::Raise(OnClick);
  KindAction();
  if (popupMenu_ && isEnabled()) PopupSequence();
}

void TQexButton::KindAction() {
  auto* form = qobject_cast<toolkit::TForm*>(window());
  switch (kind_) {
    case skCustom:
    case skSilly: return;
    case skHelp: {
      for (QWidget* w = this; w; w = w->parentWidget()) {
        const int context = w->property("HelpContext").toInt();
        if (context != 0) {
          toolkit::Raise(OnHelp, context);
          return;
        }
      }
      return;
    }
    case skClose:
      if (window() != this) window()->close();
      return;
    default:
      if (form) form->SetModalResult(kKinds[kind_].modalResult);
      return;
  }
}

void TQexButton::PopupSequence() {
  QMenu* menu = popupMenu_;
  if (!menu) return;
  if (repeatAction_) startTimer_.start();
  ShowLook(lkPressed);
  menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(this));
  QPoint at;
  switch (positionPopup_) {
    case puDown: at = mapToGlobal(QPoint(-1, height())); break;
    case puLeft: at = mapToGlobal(QPoint(-1, 0)) - QPoint(menu->sizeHint().width(), 0); break;
    case puRight: at = mapToGlobal(QPoint(width() + 1, 0)); break;
  }
  QPointer<TQexButton> self(this);
  menu->exec(at);
  if (!self) return;
  pressed_ = 0;
  ShowLook(lkNormal);
  hotCaptionFlag_ = true;
  if (repeatAction_) StopTimers();
}

// ---- painting ----

void TQexButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintLook(p);
}

TQexButton::GlyphCell TQexButton::CellFor(TLook look) const {
  const bool useHot = look != lkNormal && !glyphHot_.isNull() && !glyph_.isNull() && isEnabled();
  if (useHot) return {glyphHot_.copy(0, 0, glyphHot_.width() / std::max(1, numGlyphsHot_), glyphHot_.height()), false};
  if (glyph_.isNull()) return {};
  // Two cells: the second is the disabled look; a single cell is embossed instead.
  if (numGlyphs_ == 2 && !isEnabled())
    return {glyph_.copy(glyph_.width() / 2, 0, glyph_.width() - glyph_.width() / 2, glyph_.height()), false};
  return {glyph_.copy(0, 0, glyph_.width() / std::max(1, numGlyphs_), glyph_.height()), !isEnabled()};
}

QexLayout TQexButton::LayOut(TLook look, const QImage& cell, const QImage& mark) const {
  QexLayoutInput in;
  in.client = rect();
  if (style_ != stNone) in.frameWidth = look == lkNormal ? normalWidth_ : hotWidth_;
  in.innerInset = style_ == stFrameRaised;
  if (!cell.isNull()) in.cell = cell.size();
  in.hasGlyph = !glyph_.isNull();
  in.hasCaption = !caption_.isEmpty();
  in.caption = caption_.isEmpty() ? QSize(0, 0) : QFontMetrics(font()).size(kCaptionFlags, caption_);
  in.layout = layout_;
  in.spacing = spacing_;
  in.spacingLayout = spacingLayout_;
  in.pressed = pressed_;
  in.popupMark = popupMenuMark_;
  if (!mark.isNull()) in.mark = mark.size();
  in.markGap = markGap_;
  in.glyphCellWidth = glyph_.isNull() ? 0 : glyph_.width() / std::max(1, numGlyphs_);
  return LayOutQexButton(in);
}

void TQexButton::PaintLook(QPainter& p) {
  const TLook look = isEnabled() ? look_ : lkNormal;
  const GlyphCell cell = CellFor(look);
  const QImage mark = popupMenuMark_ && !glyph_.isNull() ? ResourcePicture(QStringLiteral("Strela")) : QImage();
  const QexLayout layout = LayOut(look, cell.image, mark);
  faceRect_ = layout.face;
  glyphRect_ = layout.glyph;
  captionRect_ = layout.caption;
  markRect_ = layout.mark;
  const QColor brush = platform::ToQColor(Framed() ? platform::clBtnFace : Color());
  PaintFace(p, look, brush);
  // 4: glyph and mark, focus rectangle, caption.
  if (!cell.image.isNull()) DrawPicture(p, glyphRect_.topLeft(), cell.image, cell.embossed, brush);
  if (!markRect_.isNull()) DrawPicture(p, markRect_.topLeft(), mark, cell.embossed, brush);
  if (Framed() && showFocused_ && focused_) platform::DrawFocusRect(p, faceRect_.adjusted(3, 3, -3, -3));
  // A flat button reached by Tab shows the focus around its face.
  if (!Framed() && keyboardFocus_ && hasFocus()) platform::DrawFocusRect(p, faceRect_.adjusted(1, 1, -1, -1));
  PaintCaption(p);
}

void TQexButton::PaintFace(QPainter& p, TLook look, const QColor& brush) {
  // 1-2: face, frame, fill.
  QColor tl = platform::ToQColor(workTopLeft_), br = platform::ToQColor(workBottomRight_);
  if (look == lkPressed) std::swap(tl, br);
  p.fillRect(rect(), brush);  // under the frame too: the gaps of a dotted frame show the face
  if (style_ != stNone) {
    QRect rings = rect();
    Frame(p, rings, tl, br, look == lkNormal ? normalWidth_ : hotWidth_, dotted_);
  }
  p.fillRect(faceRect_, brush);
  // 3: the inner edge of the framed styles.
  if (Framed()) {
    QRect inner = faceRect_;
    platform::DrawEdge(p, inner, look == lkPressed ? platform::BDR_SUNKENINNER : platform::BDR_RAISEDINNER,
                       platform::BF_RECT | platform::BF_MIDDLE);
  }
}

void TQexButton::DrawPicture(QPainter& p, QPoint at, const QImage& picture, bool embossed, const QColor& face) {
  if (embossed)
    Emboss(p, at, picture);
  else
    p.drawImage(at, ReplaceColor(picture, BottomLeftColor(picture), face.rgb()));
}

void TQexButton::PaintCaption(QPainter& p) {
  if (caption_.isEmpty()) return;
  const platform::TColor captionColor = hotTrack_ && !hotCaptionFlag_ ? hotTrackColor_ : fontColor_;
  p.setFont(font());
  const int flags = Qt::AlignCenter | kCaptionFlags;
  p.setPen(platform::ToQColor(captionColor));
  p.drawText(captionRect_, flags, caption_);
  if (!isEnabled()) {
    p.setPen(platform::ToQColor(platform::clBtnHighlight));
    p.drawText(captionRect_.translated(1, 1), flags, caption_);
    p.setPen(platform::ToQColor(platform::clBtnShadow));
    p.drawText(captionRect_, flags, caption_);
  }
}

}  // namespace styled
