#include "app/reading/TraditionalDisplay.h"

#include "app/reading/ScriptConverter.h"
#include "controls/outbar/GroupBar.h"
#include "controls/outbar/VertListView.h"
#include "controls/styled/FlatHint.h"
#include "controls/styled/FlatSpeedButton.h"
#include "toolkit/Fonts.h"
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
  ApplyFaces(on);
  if (on) {
    ScriptConverter* converter = &converter_;
    Apply([converter](const QString& stored) { return converter->ToTraditional(stored); });
  } else {
    Apply(nullptr);
  }
}

QFont TraditionalDisplay::PrintFace() const {
  if (!targets_.textPane) return QFont();
  // The printed page keeps the pane's own face in its traditional forms: the
  // page printer keeps one line height itself, and a PDF's text in the
  // serif face would read back some characters as radicals.
  if (on_ && ownFonts_.contains(targets_.textPane)) return toolkit::TraditionalFace(ownFonts_.value(targets_.textPane));
  return targets_.textPane->font();
}

void TraditionalDisplay::ApplyFaces(bool traditional) {
  QList<QWidget*> targets{targets_.poemTable, targets_.authorTable, targets_.eraBar,   targets_.authorBar,
                          targets_.eraList,   targets_.authorList,  targets_.infoBar,  targets_.formLabel,
                          targets_.textPane,  targets_.tipTitle,    targets_.tipText};
  for (styled::TFlatSpeedButton* b : targets_.headerButtons) targets << b;
  for (QWidget* w : targets) {
    if (!w) continue;
    if (traditional) {
      ownFonts_.insert(w, w->font());
      const bool flowing = w == targets_.textPane || w == targets_.tipText;
      w->setFont(flowing ? toolkit::TraditionalTextFace(w->font()) : toolkit::TraditionalFace(w->font()));
    } else if (ownFonts_.contains(w)) {
      w->setFont(ownFonts_.take(w));
    }
  }
}

void TraditionalDisplay::SetTipTexts(toolkit::TLabel* title, toolkit::TMemo* text) {
  const bool on = on_;
  if (on) SetOn(false);
  targets_.tipTitle = title;
  targets_.tipText = text;
  if (on) SetOn(true);
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
  for (styled::TFlatSpeedButton* b : targets_.headerButtons)
    if (b) b->SetDisplayText(display);
  if (targets_.tipTitle) targets_.tipTitle->SetDisplayText(display);
  if (targets_.tipText) targets_.tipText->SetDisplayText(display);
}

}  // namespace reading
