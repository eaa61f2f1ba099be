#pragma once
// What a window had before the frame skinner took it over, and the one way it
// is given back: window flags, geometry, contents margins, size limits, mouse
// tracking, cursor and colours (an application form's Color, a foreign
// window's palette), and the platform frame's widths it had on the screen.
#include <QCursor>
#include <QMargins>
#include <QPalette>
#include <QWidget>
#include <QRect>
#include <QSize>
#include <Qt>
#include <optional>

namespace toolkit {
class TForm;
}

namespace skin {

// Sets a top-level window's flags without hiding it: the platform window
// takes the new decorations at once.
void SetFlagsInPlace(QWidget* w, Qt::WindowFlags flags);

class TSavedWindow {
 public:
  // Records the window's flags, geometry, margins, limits, tracking and
  // cursor, and, for a window on the screen, its platform frame's widths.
  void Capture(const QWidget* w);
  // Records the colours the window shows: a form's Color, and the palette.
  void CaptureColours(const QWidget* w, const toolkit::TForm* form);
  // The palette the window had (its current one when none was recorded).
  QPalette OwnPalette(const QWidget* w) const { return palette_ ? *palette_ : w->palette(); }
  // Gives the palette back alone.
  void RestorePalette(QWidget* w) const;

  // Gives the colours back.
  void RestoreColours(QWidget* w, toolkit::TForm* form) const;
  // Gives margins, limits and flags back, then `geometry` when given (a
  // maximised or minimised window keeps the place its state gives it), then
  // mouse tracking and cursor.
  void RestoreFrame(QWidget* w, const std::optional<QRect>& geometry) const;

  Qt::WindowFlags Flags() const { return flags_; }
  const QRect& Geometry() const { return geometry_; }
  const QMargins& Margins() const { return margins_; }
  // The platform frame's widths, L + R by T + B (empty for a window not shown).
  QSize SystemFrame() const { return systemFrame_; }

 private:
  Qt::WindowFlags flags_;
  QRect geometry_;
  QMargins margins_;
  QSize minimum_, maximum_;
  bool mouseTracking_ = false;
  bool hadCursorSet_ = false;
  QCursor cursor_;
  std::optional<int> formColor_;
  bool hadPalette_ = false;
  std::optional<QPalette> palette_;
  QSize systemFrame_;
};

}  // namespace skin
