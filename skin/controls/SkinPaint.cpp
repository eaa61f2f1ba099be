#include "skin/controls/SkinPaint.h"

#include <QFontMetrics>
#include <QMetaProperty>
#include <QObject>
#include <QWidget>

namespace skin {

QColor SkinColour(platform::TColor c) { return platform::ToQColor(platform::ColorToRGB(c)); }

QColor ButtonFaceColour(const TSkinElements& e) { return SkinColour(e.Colours.ButtonFace); }

void FillButtonFace(QPainter& dc, const QRect& rect, const TSkinElements& e) { dc.fillRect(rect, ButtonFaceColour(e)); }

void ApplySkinTextColours(QPalette& p, const TSkinColours& c) {
  const QColor text = SkinColour(c.WindowText);
  for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(g, QPalette::WindowText, text);
    p.setColor(g, QPalette::Text, text);
    p.setColor(g, QPalette::Base, SkinColour(c.Window));
    p.setColor(g, QPalette::AlternateBase, SkinColour(c.Window));
    p.setColor(g, QPalette::Button, SkinColour(c.ButtonFace));
    p.setColor(g, QPalette::ButtonText, SkinColour(c.ButtonText));
    p.setColor(g, QPalette::Highlight, SkinColour(c.Hilight));
    p.setColor(g, QPalette::HighlightedText, SkinColour(c.HilightText));
  }
}

QColor FormTextColour(const TSkinElements& e, const QColor& own) {
  return e.Colours.Window == platform::clNone ? own : SkinColour(e.Colours.WindowText);
}

QColor ParentColour(const QWidget* control, const TSkinElements& e) {
  const QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent) return ButtonFaceColour(e);
  const QVariant v = PublishedProperty(parent, "Color");
  if (v.isValid() && v.canConvert<int>()) {
    const platform::TColor c = v.toInt();
    if (c != platform::clNone && c != platform::clDefault) return SkinColour(c);
  }
  return parent->palette().color(QPalette::Window);
}

void FillParentColour(QPainter& dc, const QRect& rect, const QWidget* control, const TSkinElements& e) {
  dc.fillRect(rect, ParentColour(control, e));
}

void DrawElement(QPainter& dc, const QRect& rect, int frames, int index, const TDataSkinObject& element) {
  DrawSkinImage(dc, rect, element.Image, false, element.Tile == 1, element.Trans == 1, frames, index, element.Margins);
}

QRect CaptionRect(const QFontMetrics& fm, const QRect& rect, const QString& text, toolkit::TAlignment alignment) {
  const QRect measured = fm.boundingRect(QRect(0, 0, 0, 0), kCaptionFlags, text);
  const int w = measured.width(), h = measured.height();
  int x = rect.left() + (rect.width() - w) / 2;
  if (alignment == toolkit::taLeftJustify) x = rect.left();
  if (alignment == toolkit::taRightJustify) x = rect.left() + rect.width() - w;
  return QRect(x, rect.top() + (rect.height() - h) / 2, w, h);
}

void DrawCaption(QPainter& canvas, const QRect& rect, const QString& text, toolkit::TAlignment alignment, bool enabled) {
  canvas.save();
  QFont f = canvas.font();
  f.setBold(false);
  f.setItalic(false);
  f.setUnderline(false);
  f.setStrikeOut(false);
  canvas.setFont(f);
  canvas.setBackgroundMode(Qt::TransparentMode);
  if (!enabled) canvas.setPen(platform::ToQColor(platform::clBtnShadow));
  canvas.drawText(CaptionRect(QFontMetrics(f), rect, text, alignment), kCaptionFlags, text);
  canvas.restore();
}

namespace {

int FindProperty(const QObject* o, const char* name) {
  if (!o || !name) return -1;
  const QMetaObject* mo = o->metaObject();
  const int exact = mo->indexOfProperty(name);
  if (exact >= 0) return exact;
  for (int i = mo->propertyCount() - 1; i >= 0; --i)
    if (qstricmp(mo->property(i).name(), name) == 0) return i;
  return -1;
}

}  // namespace

QVariant PublishedProperty(const QObject* o, const char* name) {
  const int index = FindProperty(o, name);
  if (index < 0) return {};
  const QMetaProperty p = o->metaObject()->property(index);
  const QVariant v = p.read(o);
  if (p.isEnumType() && v.isValid()) {
    if (const char* key = p.enumerator().valueToKey(v.toInt())) return QString::fromLatin1(key);
  }
  return v;
}

QString PublishedText(const QObject* o, const char* name) {
  const QVariant v = PublishedProperty(o, name);
  if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  return v.toString();
}

bool HasPublishedProperty(const QObject* o, const char* name) { return FindProperty(o, name) >= 0; }

bool SetPublishedProperty(QObject* o, const char* name, const QVariant& value) {
  const int index = FindProperty(o, name);
  return index >= 0 && o->metaObject()->property(index).write(o, value);
}

}  // namespace skin
