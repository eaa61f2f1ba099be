#pragma once
// The gallery page of the skinnable toolkit controls: push buttons, check
// boxes, radio buttons, edits, combo boxes, a status bar, panels, memos and a
// list view (scrolled), scroll-bar controls and a spin box, each in its
// states (enabled, disabled, focused, default, checked, grayed), painted by
// the skin given to ApplySkin (the gallery's skin box hands it the skin
// chosen); for skin authors.
#include <QWidget>
#include <memory>
#include <vector>

namespace skin {
class TSkinControl;
class TSkinData;
class TWinSkinForm;
}  // namespace skin

class TControlsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TControlsPage(QWidget* parent = nullptr);
  ~TControlsPage() override;

  // Skins every control of the page with `data` (nullptr: their own looks);
  // the skin picker calls it whenever another skin is chosen.
  void ApplySkin(skin::TSkinData* data);

 private:
  void Build();
  void Unskin();

  // Holds the page's skinners for the hot look's hand-over; the page's
  // window itself keeps its frame.
  std::unique_ptr<skin::TWinSkinForm> skinners_;
  std::vector<QWidget*> controls_;
};

