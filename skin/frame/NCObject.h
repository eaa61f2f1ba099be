#pragma once
// An object of a skinned window's frame that reacts to the pointer: caption
// buttons (TWinSysButton) and, from the menu skinner, menu-bar items. The frame
// skinner keeps at most one hot object; its hot-object timer makes it leave
// when the pointer has left its rectangle.
//
// Implementers provide Paint() (drawing the object in its current state on the
// window) and may extend the four input operations; the base versions keep the
// frame's hot object and the state right and then call Paint().
#include <QRect>

class QPainter;

namespace skin {

class TWinSkinForm;

enum TNCState { ncsNormal = 1, ncsPressed = 2, ncsOver = 3 };

class TNCObject {
 public:
  explicit TNCObject(TWinSkinForm* owner) : owner_(owner) {}
  virtual ~TNCObject();

  // Slot order as the frame calls them.
  virtual void Press();    // becomes hot, state pressed, paints
  virtual void Release();  // state mouse over, paints
  virtual void Enter();    // another hot object leaves; hot with state mouse over, paints
  virtual void Leave();    // no hot object, state normal, paints
  // Paints the object on its window (a painter on the window when one is
  // given, else the object schedules a repaint of its rectangle).
  virtual void Paint(QPainter* dc) = 0;

  TWinSkinForm* Owner() const { return owner_; }
  // In window coordinates (the frame's own coordinates), right and bottom exclusive.
  QRect Rect;
  bool Enabled = true;
  int State = ncsNormal;

 private:
  TWinSkinForm* owner_;
};

}  // namespace skin
