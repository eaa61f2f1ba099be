#include "skin/controls/SkinListView.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

#include "toolkit/ListView.h"

namespace skin {

QHeaderView* ListHeader(QWidget* list) {
  if (auto* lv = qobject_cast<toolkit::TListView*>(list)) return lv->Header();
  if (auto* tree = qobject_cast<QTreeView*>(list)) return tree->header();
  if (auto* table = qobject_cast<QTableView*>(list)) return table->horizontalHeader();
  return nullptr;
}

TSkinListView::~TSkinListView() {
  if (life_ == sclAlive && initialised_) RestoreControl();
}

void TSkinListView::InitScroll(QWidget* control, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  const bool first = !initialised_;
  TSkinScrollbar::InitScroll(control, skinData, frame, canvas);
  if (!first || !initialised_) return;
  if (QHeaderView* header = ListHeader(control)) {
    // Held by this skinner alone (not the frame's list), so it goes with it.
    header_ = new TSkinHeader(this);
    header_->InitWindow(header, skinData, nullptr, canvas);
  }
}

void TSkinListView::RestoreControl() {
  delete header_.data();
  TSkinScrollbar::RestoreControl();
}

void TSkinListView::Refresh() {
  if (header_) header_->Refresh();
  TSkinScrollbar::Refresh();
}

}  // namespace skin
