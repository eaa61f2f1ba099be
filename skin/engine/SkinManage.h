#pragma once
// The process-wide skin manager: it watches top-level windows and popup menus
// through the window hooks, attaches a frame skinner to each window to be
// skinned, keeps the popup-menu skinners, and runs the skin components'
// requests (skin all, restore all, re-skin) from its 250 ms timer.
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

class TPopupMenuSkinner;
class TSkinData;
class TWinSkinForm;

// Menu sources: what kind of menu is opening.
enum TMenuSource { msNone = 0, msPopup = 1, msSystemMenu = 2 };

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
  void RequestAction(int code, int interval);
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
  const std::vector<std::unique_ptr<TWinSkinForm>>& Frames() const { return frames_; }
  int PopupCount() const { return static_cast<int>(popups_.size()); }
  TPopupMenuSkinner* PopupOf(const QWidget* menuWindow) const;

  bool Active() const { return active_; }
  void SetActive(bool on) { active_ = on; }
  bool Batch() const { return batch_; }
  int Started() const { return started_; }
  void SetStarted(int n) { started_ = n; }
  int PendingCode() const { return code_; }
  int MenuSource() const { return menuSource_; }
  void SetMenuSource(int source) { menuSource_ = source; }
  QTimer* Timer() const { return timer_; }

 private:
  void RunMainform(TSkinData* data, int code);
  void RunOnlyThisForm(TSkinData* data, int code);
  void RestoreFrame(std::unique_ptr<TWinSkinForm>& frame);
  bool ClassAllowed(const QString& className) const;

  std::vector<std::unique_ptr<TWinSkinForm>> frames_;
  std::vector<std::unique_ptr<TPopupMenuSkinner>> popups_;
  std::vector<TSkinData*> components_;
  TSkinData* default_ = nullptr;
  TSkinData* pending_ = nullptr;
  bool active_ = false;
  bool batch_ = false;
  int started_ = 0;
  int code_ = 0;
  int menuSource_ = msNone;
  int hook_ = 0;
  QTimer* timer_ = nullptr;
};

}  // namespace skin
