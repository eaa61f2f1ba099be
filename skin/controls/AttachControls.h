#pragma once
// Attaching the control skinners of a skinned window: every component the
// form owns goes through the classification (Classify.h) and, for a foreign
// window, every child window is attached by its window class.
namespace skin {

class TWinSkinForm;

void AttachControls(TWinSkinForm& frame);

}  // namespace skin
