#pragma once
// The column headers of a list view: the skinner lends the header a style
// that paints its sections from the skin's Headerbar element (normal, hot
// while the pointer is over a section, pressed while it is held) so that the
// tables look like the rest of the skin; the header keeps its own behaviour.
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/WidgetStyle.h"

class QHeaderView;

namespace skin {

class THeaderStyle;

class TSkinHeader : public TSkinControl {
  Q_OBJECT

 public:
  explicit TSkinHeader(QObject* owner);
  ~TSkinHeader() override;

  void InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) override;
  void RestoreControl() override;
  void Refresh() override;
  void AfterMessage(QEvent* message) override;

  QHeaderView* Header() const;
  bool Skinned() const;

 private:
  std::unique_ptr<THeaderStyle> style_;
  TWidgetStyle lent_;
  bool hadHover_ = false;
};

}  // namespace skin
