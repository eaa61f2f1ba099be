#pragma once
// Check boxes and radio buttons: the control paints itself (its text), then
// the skinner clears the glyph strip with the parent's colour and draws the
// glyph from the skin's check-box or radio image.
#include "skin/controls/SkinControl.h"

namespace skin {

// What both glyph skinners share: when they repaint and how the glyph is put.
class TSkinToggle : public TSkinControl {
  Q_OBJECT

 public:
  using TSkinControl::TSkinControl;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;
  // The glyph frame shown now (0 when the skin has no image).
  virtual int GlyphFrame() const = 0;

 protected:
  virtual const QImage& GlyphImage() const = 0;
  virtual int GlyphFrameCount() const = 0;
  // Text on the left of the glyph.
  bool LeftText() const;
  // The checked state as the button itself holds it.
  bool ButtonChecked() const;
};

class TSkinCheckBox : public TSkinToggle {
  Q_OBJECT

 public:
  using TSkinToggle::TSkinToggle;
  int GlyphFrame() const override;
  // Check state c: 1 clear, 2 checked, 4 grayed.
  int CheckState() const;

 protected:
  const QImage& GlyphImage() const override;
  int GlyphFrameCount() const override;
};

class TSkinRadioButton : public TSkinToggle {
  Q_OBJECT

 public:
  using TSkinToggle::TSkinToggle;
  int GlyphFrame() const override;

 protected:
  const QImage& GlyphImage() const override;
  int GlyphFrameCount() const override;
};

}  // namespace skin
