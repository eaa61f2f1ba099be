#pragma once
// Turns a classification decision (skin/engine/Classify.h) into an attached
// skinner: creates the skinner class of the kind and initialises it for the
// control (InitControl), for a window handle (InitWindow) or as a scroll-bar
// skinner, adding it to the frame's list.
//
// Each skinner kind is created here and nowhere else. Kinds no window of the
// program reaches and that have no skinner class (group boxes, tabs, track
// bars, progress bars, bitmap and speed buttons, scroll boxes, size grips)
// return nullptr: the control keeps its own look.
#include "skin/engine/Classify.h"

namespace skin {

class TSkinControl;
class TSkinData;
class TWinSkinForm;

// The attached skinner, or nullptr when the kind has no skinner class.
TSkinControl* CreateSkinner(const TSkinnerOrder& order, TWinSkinForm* frame, TSkinData* skinData);

}  // namespace skin
