#pragma once
// The process-wide skin manager: it watches top-level windows and popup menus
// through the window hooks, attaches a frame skinner to each window to be
// skinned, keeps the popup-menu skinners, and runs the skin components'
// requests (skin all, restore all, re-skin) from its 250 ms timer. It knows
// frame skinners and popup-menu skinners only through the interfaces the
// engine defines for them (FrameSkinner.h, PopupMenuSkinner.h).
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "platform/WindowHooks.h"

class QTimer;
class QWidget;

namespace toolkit {
class TForm;
}

namespace skin {

class TFrameSkinner;
class TPopupMenuSkinner;
class TSkinData;
class TWinSkinForm;

// Menu sources: what kind of menu is opening.
enum TMenuSource { msNone = 0, msPopup = 1, msSystemMenu = 2 };

// What a component asks the manager to do on its next timer tick; the
// numbers are the components' request codes.
enum class TSkinAction {
  None = 0,
  SkinAll = 1,     // skin every form (a component for one form: that form)
  RestoreAll = 2,  // give every skinned window its own look back (one form: its frame)
  Reskin = 3,      // rebuild and refresh the frames of the component after a skin switch
  Purge = 6,       // forget the frames of windows that are gone
};
// The delay of a request before the manager's timer runs it.
inline constexpr int kSkinActionDelay = 250;

class TSkinManage : public QObject {
  Q_OBJECT

 public:
  TSkinManage();
  // Teardown: the started counter becomes 4, the timer and the hook go, the
  // popup skinners and the lists are freed (frames are detached first).
  ~TSkinManage() override;

  // The manager, or nullptr before the first component finished loading.
  static TSkinManage* Instance();
  // The manager, created when there is none.
  static TSkinManage& Ensure();
  // Frees the manager (program end; tests).
  static void Free();

  void InstallHook();
  bool HookInstalled() const { return hook_ != 0; }
  // The hook procedure (public for tests that play the hook's notices).
  void HookProc(platform::HookCode code, QWidget* window);

  bool SkinWindow(QWidget* window);
  void SkinForm(toolkit::TForm* form);
  TSkinData* FindSkinData(QWidget* window) const;
  void SkinPopupWindow(QWidget* window);
  void ReleasePopupWindow(QWidget* window);
  // Arms the timer for `action` once the manager has started; before that,
  // SkinAll and RestoreAll switch the active flag at once.
  void RequestAction(TSkinAction action, int interval = kSkinActionDelay);
  // The same by request code (TSkinAction's numbers).
  void RequestAction(int code, int interval) { RequestAction(static_cast<TSkinAction>(code), interval); }
  // `data` switched skins: its frames drop their caption buttons until the
  // re-skin, which is requested when the manager has started.
  void RequestReskin(TSkinData* data);
  // The timer's tick: runs the pending action for the pending component.
  void RunAction();
  void PurgeClosed();

  void Enrol(TSkinData* data);
  void Remove(TSkinData* data);
  const std::vector<TSkinData*>& Components() const { return components_; }
  TSkinData* DefaultComponent() const { return default_; }
  TSkinData* Pending() const { return pending_; }
  void SetPending(TSkinData* data) { pending_ = data; }

  // The frame skinner of a window, or nullptr.
  TWinSkinForm* FrameOf(const QWidget* window) const;
  const std::vector<std::unique_ptr<TFrameSkinner>>& Frames() const { return frames_; }
  int PopupCount() const { return static_cast<int>(popups_.size()); }
  TPopupMenuSkinner* PopupOf(const QWidget* menuWindow) const;

  bool Active() const { return active_; }
  void SetActive(bool on) { active_ = on; }
  bool Batch() const { return batch_; }
  int Started() const { return started_; }
  void SetStarted(int n) { started_ = n; }
  TSkinAction PendingAction() const { return action_; }
  int PendingCode() const { return static_cast<int>(action_); }
  int MenuSource() const { return menuSource_; }
  void SetMenuSource(int source) { menuSource_ = source; }
  QTimer* Timer() const { return timer_; }

 private:
  // The actions; `ownerOnly` for a component that governs its own form only.
  void SkinAll(TSkinData* data, bool ownerOnly);
  void RestoreAll(TSkinData* data, bool ownerOnly);
  void Reskin(TSkinData* data, bool ownerOnly);
  // The frames an action for `data` touches: every frame, or those of `data`
  // (`ofDataOnly`), or only the first of those (`ownerOnly`). Indices into frames_.
  std::vector<size_t> Targets(const TSkinData* data, bool ofDataOnly, bool ownerOnly) const;
  void RestoreAndFree(size_t index);
  bool ClassAllowed(const QString& className) const;

  std::vector<std::unique_ptr<TFrameSkinner>> frames_;
  std::vector<std::unique_ptr<TPopupMenuSkinner>> popups_;
  std::vector<TSkinData*> components_;
  TSkinData* default_ = nullptr;
  TSkinData* pending_ = nullptr;
  bool active_ = false;
  bool batch_ = false;
  int started_ = 0;
  TSkinAction action_ = TSkinAction::None;
  int menuSource_ = msNone;
  int hook_ = 0;
  QTimer* timer_ = nullptr;
};

}  // namespace skin
