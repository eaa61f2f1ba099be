#include "skin/controls/SkinCheckBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QPainter>

#include "platform/WinMessage.h"
#include "skin/controls/ButtonPaint.h"
#include "skin/controls/SkinPaint.h"
#include "skin/engine/SkinData.h"

namespace skin {

namespace {
// A private notice some check-box classes send when their look changed.
constexpr int kToggleChanged = 0xB0D0;
}  // namespace

void TSkinToggle::AfterMessage(QEvent* message) {
  switch (message->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusOut:
      TSkinControl::AfterMessage(message);
      Repaint();
      return;
    default: break;
  }
  if (platform::IsMessage(message, kToggleChanged)) {
    Repaint();
    return;
  }
  TSkinControl::AfterMessage(message);
}

bool TSkinToggle::LeftText() const {
  const QWidget* w = handle_.data();
  return w && w->layoutDirection() == Qt::RightToLeft;
}

bool TSkinToggle::ButtonChecked() const {
  const auto* b = qobject_cast<const QAbstractButton*>(handle_.data());
  return b && b->isChecked();
}

void TSkinToggle::Paint(QPainter& dc, const QRect& rect) {
  if (!skinData_) return;
  const QImage& image = GlyphImage();
  if (image.isNull()) return;
  PaintToggleGlyph(dc, rect, image, GlyphFrameCount(), GlyphFrame(), LeftText(),
                   ParentColour(handle_.data(), skinData_->Elements()));
}

// ---- check box ---------------------------------------------------------------

const QImage& TSkinCheckBox::GlyphImage() const { return skinData_->Elements().Buttons.CheckImage; }

int TSkinCheckBox::GlyphFrameCount() const { return skinData_->Elements().Buttons.CheckButtonFrame; }

int TSkinCheckBox::CheckState() const {
  const int fromButton = ButtonChecked() ? 2 : 1;
  const QWidget* c = control_.data();
  if (!c) return fromButton;
  // Application check boxes tell their state by their published properties.
  if (HasPublishedProperty(c, "State")) {
    const int named = CheckStateFromText(PublishedText(c, "State"));
    return named ? named : fromButton;
  }
  if (HasPublishedProperty(c, "Checked"))
    return PublishedText(c, "Checked").compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? 2 : 1;
  return fromButton;
}

int TSkinCheckBox::GlyphFrame() const {
  if (!skinData_ || GlyphImage().isNull()) return 0;
  // Only a foreign box is asked for its indeterminate state; an application
  // box shows its grayed State as check state 4.
  const auto* box = qobject_cast<const QCheckBox*>(handle_.data());
  const bool indeterminate = control_.isNull() && box && box->checkState() == Qt::PartiallyChecked;
  return CheckBoxFrameIndex(CheckState(), indeterminate, enabled_, GlyphFrameCount());
}

// ---- radio button --------------------------------------------------------------

const QImage& TSkinRadioButton::GlyphImage() const { return skinData_->Elements().Buttons.RadioImage; }

int TSkinRadioButton::GlyphFrameCount() const { return skinData_->Elements().Buttons.RadioButtonFrame; }

int TSkinRadioButton::GlyphFrame() const {
  if (!skinData_ || GlyphImage().isNull()) return 0;
  bool checked = ButtonChecked();
  if (const QWidget* c = control_.data(); c && HasPublishedProperty(c, "Checked"))
    checked = PublishedText(c, "Checked").compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
  return RadioButtonFrameIndex(checked ? 2 : 1, enabled_, GlyphFrameCount());
}

}  // namespace skin
