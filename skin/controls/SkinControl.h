#pragma once
// The base of every control skinner: it takes over one control's message
// handling (through platform::Subclass), keeps the control's state the
// painters need, and paints over the control after the control painted itself.
//
// Implementers (one file pair per skinner in skin/controls/) override what
// they need of the nine operations below, in this order:
//   InitControl / InitWindow  attach to an application control / a foreign child window
//   RestoreControl            give back what was changed (the colour)
//   BeforeMessage             before the control's own handling; false swallows the message
//   AfterMessage              after it (the base repaints on focus, enable and text changes,
//                             paints after QEvent::Paint and obeys SKM_PAINTING)
//   PaintNonClient            paints on the control (a painter on it unless one is given)
//   Paint                     the skinner's picture of the control, in control coordinates
//   Refresh                   after a skin switch: re-derive colours, repaint
//   QuerySkinned              answers 1
// A skinner reads SkinData()->Elements() every time it paints, so a skin
// switch only has to repaint. Painting itself belongs in free functions over
// QImage (tested pixel by pixel); the class stays a thin layer of messages.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <QString>
#include <memory>
#include <vector>

#include "platform/Color.h"

class QEvent;
class QPainter;
class QWidget;

namespace platform {
class Subclass;
}

namespace skin {

class TSkinData;
class TWinSkinForm;

enum TSkinControlLife { sclAlive = 1, sclDestroyed = 6 };

class TSkinControl : public QObject {
  Q_OBJECT

 public:
  // `owner` is the control skinned (an application control) or the frame
  // skinner (a foreign window); the skinner is freed with it.
  explicit TSkinControl(QObject* owner);
  // Restores the control (unless its window is gone), puts back the previous
  // message handling and leaves the frame's list.
  ~TSkinControl() override;

  // 1. Attaches to the owner control: once only.
  virtual void InitControl(TWinSkinForm* frame, TSkinData* skinData, bool recolour, QImage* canvas);
  // 2. Attaches to a foreign window by its handle.
  virtual void InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas);
  // 3.
  virtual void RestoreControl();
  // 4. Whether normal processing continues.
  virtual bool BeforeMessage(QEvent* message);
  // 5.
  virtual void AfterMessage(QEvent* message);
  // 6. Records the window rectangle and calls Paint with the control's
  // rectangle at the origin; errors are swallowed. Without `dc` a painter on
  // the control is used (only valid while the control handles a paint event).
  virtual void PaintNonClient(QPainter* dc);
  // 7. Nothing in the base.
  virtual void Paint(QPainter& dc, const QRect& rect);
  // 8.
  virtual void Refresh();
  // 9.
  virtual int QuerySkinned() const { return 1; }

  // The control's own invalidation.
  void Repaint();

  QWidget* Control() const { return control_.data(); }
  // The window the skinner handles (the control, or the foreign window).
  QWidget* Handle() const { return handle_.data(); }
  TSkinData* SkinData() const { return skinData_; }
  TWinSkinForm* Frame() const;
  int Life() const { return life_; }
  bool Painting() const { return painting_; }
  bool Initialised() const { return initialised_; }
  bool Focused() const { return focused_; }
  bool Enabled() const { return enabled_; }
  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  const QString& Caption() const { return caption_; }
  // Set when a handler acted on the current message.
  bool Handled() const { return handled_; }
  // The control's window rectangle (global) at the last paint.
  QRect LastPaintRect() const { return lastPaintRect_; }
  bool Recolour() const { return recolour_; }
  platform::TColor SavedColor() const { return savedColor_; }

 protected:
  // Routes `target`'s messages through BeforeMessage and AfterMessage.
  void Hook(QWidget* target);
  void Unhook();
  // Adds / removes this skinner to / from the frame's list.
  void Enrol(TWinSkinForm* frame);
  // Saves the control's "Color" and sets the skin's ButtonFace.
  void SaveAndRecolour();
  // The skin's ButtonFace as an RGB colour.
  platform::TColor SkinButtonFace() const;
  // The text a window shows ("text", "Caption" or "Text" property, else its title).
  static QString WindowText(const QWidget* w);

  TSkinData* skinData_ = nullptr;
  QPointer<QObject> frame_;  // the TWinSkinForm
  QPointer<QWidget> control_;
  QPointer<QWidget> handle_;
  QImage* canvas_ = nullptr;
  QString caption_;
  bool focused_ = false;
  bool enabled_ = true;
  bool hot_ = false;
  bool pressed_ = false;
  bool recolour_ = false;
  platform::TColor savedColor_ = platform::clBtnFace;
  bool initialised_ = false;
  bool painting_ = true;
  int life_ = sclAlive;
  bool handled_ = false;
  QRect lastPaintRect_;

 private:
  bool Route(QEvent* e);
  void RouteAfter(QEvent* e);

  std::unique_ptr<platform::Subclass> subclass_;
  // One entry per message being handled: whether its after-step runs.
  std::vector<bool> afterPending_;
};

}  // namespace skin
