#pragma once
// List views: the scroll-bar skinner, plus a header skinner for the list's
// column headers when it has them.
#include <QPointer>

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollbar.h"

namespace skin {

class TSkinListView : public TSkinScrollbar {
  Q_OBJECT

 public:
  using TSkinScrollbar::TSkinScrollbar;
  ~TSkinListView() override;

  void InitScroll(QWidget* control, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) override;
  void RestoreControl() override;
  void Refresh() override;

  TSkinHeader* HeaderSkinner() const { return header_.data(); }

 private:
  QPointer<TSkinHeader> header_;
};

// The header of a list control, or nullptr.
QHeaderView* ListHeader(QWidget* list);

}  // namespace skin
