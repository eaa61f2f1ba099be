#pragma once
// The kinds of window parts the engine can skin, and sets of them. Bit n of a
// set's mask is element n.
#include <cstdint>
#include <initializer_list>

namespace skin {

enum TSkinControlType {
  xcMainMenu = 0, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
  xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar,
  xcTab, xcSystemMenu, xcFastReport
};

class TSkinControlTypes {
 public:
  constexpr TSkinControlTypes() = default;
  constexpr TSkinControlTypes(std::initializer_list<TSkinControlType> items) {
    for (TSkinControlType t : items) mask_ |= Bit(t);
  }
  static constexpr TSkinControlTypes FromMask(std::uint32_t mask) {
    TSkinControlTypes s;
    s.mask_ = mask & 0xFFFFFu;
    return s;
  }
  // Every element except xcMenuItem and xcFastReport.
  static constexpr TSkinControlTypes Default() { return FromMask(0x7FFFBu); }

  constexpr bool Contains(TSkinControlType t) const { return (mask_ & Bit(t)) != 0; }
  constexpr void Include(TSkinControlType t) { mask_ |= Bit(t); }
  constexpr void Exclude(TSkinControlType t) { mask_ &= ~Bit(t); }
  constexpr std::uint32_t Mask() const { return mask_; }
  friend constexpr bool operator==(TSkinControlTypes, TSkinControlTypes) = default;

 private:
  static constexpr std::uint32_t Bit(TSkinControlType t) { return 1u << static_cast<unsigned>(t); }
  std::uint32_t mask_ = 0;
};

enum TSkinOption { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
using TSkinOptions = std::uint32_t;  // bit n: option n
constexpr TSkinOptions OptionBit(TSkinOption o) { return 1u << static_cast<unsigned>(o); }

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

}  // namespace skin
