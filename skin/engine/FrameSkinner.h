#pragma once
// What the skin manager knows of the frame skinner of one top-level window.
// The manager creates, re-skins, restores and purges frame skinners through
// this interface only; skin/frame implements it (TWinSkinForm) and defines
// the creation hook at the bottom, so the engine never includes the frame.
#include <memory>

class QWidget;

namespace toolkit {
class TForm;
}

namespace skin {

class TSkinData;
class TWinSkinForm;

// Life states of a frame skinner.
enum TFrameLife { flAttached = 0, flNormal = 1, flRefreshing = 3, flDestroying = 4, flFirstLayout = 5, flDestroyed = 6 };

class TFrameSkinner {
 public:
  virtual ~TFrameSkinner() = default;

  // The window skinned (nullptr once it is gone).
  virtual QWidget* Handle() const = 0;
  // The component whose skin the frame paints.
  virtual TSkinData* SkinData() const = 0;
  // A TFrameLife value; flDestroyed once the window is gone.
  virtual int Life() const = 0;
  // Gives the window back its platform frame, geometry, colours and cursor.
  virtual void Detach() = 0;
  // The frame metrics and caption buttons from the component's current skin.
  virtual void RebuildFrameMetrics() = 0;
  // Colours, control skinners, frame and layout after a skin switch.
  virtual void RefreshSkin() = 0;
  // Frees the caption buttons while a new skin is being loaded.
  virtual void FreeCaptionButtons() = 0;
  // The frame skinner itself, for the layers above the engine.
  virtual TWinSkinForm* Frame() = 0;
};

// ---- creation hook, defined in skin/frame/WinSkinForm.cpp -------------------

// A frame skinner attached to `window` (an application form when `form` is
// given, else a foreign window) with `skinData`'s skin.
std::unique_ptr<TFrameSkinner> CreateFrameSkinner(QWidget* window, toolkit::TForm* form, TSkinData* skinData);

}  // namespace skin
