#pragma once
// Combo boxes: the skinner lends the combo a style that paints its frame and
// drop-down button from the skin and places the edit area and the button
// where the skin's picture has them, so that the combo's own mouse handling
// opens the list from the painted button. Presses on the combo or on its
// edit show the pressed frame.
#include <memory>

#include "skin/controls/PartCache.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/WidgetStyle.h"

namespace platform {
class Subclass;
}

namespace skin {

class TComboStyle;

class TSkinComBox : public TSkinControl {
  Q_OBJECT

 public:
  explicit TSkinComBox(QObject* owner);
  ~TSkinComBox() override;

  void InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas) override;
  void InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) override;
  void RestoreControl() override;
  void AfterMessage(QEvent* message) override;
  void Paint(QPainter& dc, const QRect& rect) override;
  void Refresh() override;

  // The frame of the combo's look now.
  int FrameIndex() const;
  bool RightToLeft() const;
  // Whether the skin paints this combo (else its own look stays).
  bool Skinned() const;

 private:
  void Attach();
  void EditMessage(QEvent* e);

  std::unique_ptr<TComboStyle> style_;
  TWidgetStyle lent_;
  std::unique_ptr<platform::Subclass> edit_;
  TPartCache cache_;
};

}  // namespace skin
