#pragma once
// The gallery's skin: a skin component on the gallery window, as the main
// window has one, and a box choosing among the stored skin, the six skin
// files of the program's directory and no skin, so that every page can be
// looked at under each skin.
#include <QComboBox>

namespace skin {
class TSkinData;
}

class SkinPicker : public QComboBox {
 public:
  // `window` is the gallery's top-level window.
  SkinPicker(QWidget* window, QWidget* parent = nullptr);
  // 0 the stored skin, 1 ... 6 the files, -1 no skin.
  void Choose(int n);
  skin::TSkinData* Data() const { return data_; }

 private:
  skin::TSkinData* data_;
};
