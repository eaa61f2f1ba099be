#include "app/SkinContentColours.h"

#include "app/MainForm.h"
#include "app/anthology/AnthologyExtras.h"
#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "skin/engine/SkinData.h"
#include "tip/TipForm.h"
#include "toolkit/DBCtrls.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace app {

platform::TColor SkinContentColours::ColourOf(const skin::TSkinColours& c, Role role) {
  switch (role) {
    case kWindow: return c.Window;
    case kWindowText: return c.WindowText;
    case kButtonFace: return c.ButtonFace;
    case kButtonText: return c.ButtonText;
    case kHilight: return c.Hilight;
    case kHilightText: return c.HilightText;
  }
  return c.WindowText;
}

void SkinContentColours::Add(Part part) {
  if (applied_) {
    own_.push_back(part.get());
    given_.push_back(own_.back());
  }
  parts_.push_back(std::move(part));
}

void SkinContentColours::Follow(const skin::TSkinData& data) {
  const skin::TSkinColours& c = data.Elements().Colours;
  const bool wanted = data.Active() && !data.NotLoaded() && c.Window != platform::clNone;
  if (wanted) {
    if (!applied_) {
      own_.clear();
      for (const Part& p : parts_) own_.push_back(p.get());
    }
    given_.clear();
    for (const Part& p : parts_) {
      given_.push_back(platform::ColorToRGB(ColourOf(c, p.role)));
      p.set(given_.back());
    }
    applied_ = true;
    return;
  }
  if (!applied_) return;
  for (size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i].get() == given_[i]) parts_[i].set(own_[i]);
  applied_ = false;
}

void AddMainWindowParts(SkinContentColours& colours, TForm1& f) {
  using C = SkinContentColours;
  colours.Add(f.Memo1, &toolkit::TMemo::Color, &toolkit::TMemo::SetColor, C::kWindow);
  colours.Add(f.Memo1, &toolkit::TMemo::FontColor, &toolkit::TMemo::SetFontColor, C::kWindowText);
  for (toolkit::TListView* table : {f.ListView1, f.ListView2}) {
    colours.Add(table, &toolkit::TListView::Color, &toolkit::TListView::SetColor, C::kWindow);
    colours.Add(table, &toolkit::TListView::FontColor, &toolkit::TListView::SetFontColor, C::kWindowText);
  }
  for (outbar::TDCOutBarVertListView* list : {f.DCOutBarVertListView1, f.DCOutBarVertListView2}) {
    using L = outbar::TCustomDCListViewEx;
    colours.Add<L>(list, &L::Color, &L::SetColor, C::kWindow);
    colours.Add<L>(list, &L::FontColor, &L::SetFontColor, C::kWindowText);
    colours.Add<L>(list, &L::GradientEndColor, &L::SetGradientEndColor, C::kWindow);
  }
  for (outbar::TDCOutBar* bar : {f.DCOutBar1, f.DCOutBar2}) {
    colours.Add(bar, &outbar::TDCOutBar::HighlightColor, &outbar::TDCOutBar::SetHighlightColor, C::kHilight);
    colours.Add(bar, &outbar::TDCOutBar::HighlightFontColor, &outbar::TDCOutBar::SetHighlightFontColor, C::kHilightText);
  }
  for (outbar::TDCOutBarGroup* group : {f.DCOutBarGroup1, f.DCOutBarGroup2}) {
    colours.Add(group, &outbar::TDCOutBarGroup::Color, &outbar::TDCOutBarGroup::SetColor, C::kButtonFace);
    colours.Add(group, &outbar::TDCOutBarGroup::FontColor, &outbar::TDCOutBarGroup::SetFontColor, C::kButtonText);
  }
  colours.Add(f.Panel5, &toolkit::TPanel::Color, &toolkit::TPanel::SetColor, C::kButtonFace);
  colours.Add(f.Edit1, &toolkit::TEdit::Color, &toolkit::TEdit::SetColor, C::kWindow);
  colours.Add(f.Edit1, &toolkit::TEdit::FontColor, &toolkit::TEdit::SetFontColor, C::kWindowText);
  for (toolkit::TPanel* bar : {f.Panel4, f.pnl1})
    colours.Add(bar, &toolkit::TPanel::FontColor, &toolkit::TPanel::SetFontColor, C::kWindowText);
  toolkit::TLabel* kept = f.Anthology() ? f.Anthology()->KeptMark() : nullptr;
  for (toolkit::TLabel* label : {f.Label1, kept})
    colours.Add(label, &toolkit::TLabel::FontColor, &toolkit::TLabel::SetFontColor, C::kWindowText);
  for (styled::TQexButton* b : {f.qexbtn1, f.qexbtn2, f.qexbtn3, f.qexbtn4})
    colours.Add(b, &styled::TQexButton::FontColor, &styled::TQexButton::SetFontColor, C::kWindowText);
}

void AddTipWindowParts(SkinContentColours& colours, tip::TForm2& t) {
  using C = SkinContentColours;
  colours.Add<toolkit::TMemo>(t.DBMemo1, &toolkit::TMemo::Color, &toolkit::TMemo::SetColor, C::kWindow);
  colours.Add<toolkit::TMemo>(t.DBMemo1, &toolkit::TMemo::FontColor, &toolkit::TMemo::SetFontColor, C::kWindowText);
  colours.Add<toolkit::TLabel>(t.DBText1, &toolkit::TLabel::FontColor, &toolkit::TLabel::SetFontColor, C::kWindowText);
  using B = styled::TFlatSpeedButton;
  for (B* b : {t.FlatSpeedButton1, t.FlatSpeedButton2}) {
    colours.Add(b, &B::ColorFlat, &B::SetColorFlat, C::kButtonFace);
    colours.Add(b, &B::ColorBorder, &B::SetColorBorder, C::kButtonFace);
    colours.Add(b, &B::ColorFocused, &B::SetColorFocused, C::kHilight);
    colours.Add(b, &B::ColorDown, &B::SetColorDown, C::kHilight);
    colours.Add(b, &B::FontColor, &B::SetFontColor, C::kButtonText);
  }
}

}  // namespace app
