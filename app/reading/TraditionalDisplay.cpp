#include "app/reading/TraditionalDisplay.h"

#include "app/reading/ScriptConverter.h"
#include "controls/outbar/GroupBar.h"
#include "controls/outbar/VertListView.h"
#include "controls/styled/FlatHint.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace reading {

TraditionalDisplay::TraditionalDisplay(const ReadingTargets& targets, ScriptConverter& converter)
    : targets_(targets), converter_(converter) {
  // The form label's hint is read when it is shown: convert it then.
  if (targets_.hint) {
    previousShowHint_ = targets_.hint->OnShowHint;
    targets_.hint->OnShowHint = [this](QString& text, bool& canShow, toolkit::THintInfo& info) {
      if (previousShowHint_) previousShowHint_(text, canShow, info);
      if (on_ && info.HintControl == targets_.formLabel) text = converter_.ToTraditional(text);
    };
  }
}

TraditionalDisplay::~TraditionalDisplay() {
  if (targets_.hint) targets_.hint->OnShowHint = previousShowHint_;
}

QString TraditionalDisplay::Shown(const QString& stored) const {
  return on_ ? converter_.ToTraditional(stored) : stored;
}

QString TraditionalDisplay::StoredKeyword(const QString& typed) const {
  return on_ ? converter_.ToSimplified(typed) : typed;
}

void TraditionalDisplay::SetOn(bool on) {
  if (on == on_) return;
  if (on) converter_.Load();
  on_ = on;
  if (on) {
    ScriptConverter* converter = &converter_;
    Apply([converter](const QString& stored) { return converter->ToTraditional(stored); });
  } else {
    Apply(nullptr);
  }
}

void TraditionalDisplay::Apply(const toolkit::TDisplayText& display) {
  for (toolkit::TListView* table : {targets_.poemTable, targets_.authorTable})
    if (table) table->SetDisplayText(display);
  for (outbar::TCustomDCGroupBar* bar : {targets_.eraBar, targets_.authorBar})
    if (bar) bar->SetDisplayText(display);
  for (outbar::TDCVertListView* list : {targets_.eraList, targets_.authorList})
    if (list) list->SetDisplayText(display);
  if (targets_.infoBar) targets_.infoBar->SetDisplayText(display);
  if (targets_.formLabel) targets_.formLabel->SetDisplayText(display);
  if (targets_.textPane) targets_.textPane->SetDisplayText(display);
}

}  // namespace reading
