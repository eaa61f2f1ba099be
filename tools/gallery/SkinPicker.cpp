#include "tools/gallery/SkinPicker.h"

#include "skin/engine/DefaultSkin.h"
#include "skin/engine/SkinData.h"
#include "toolkit/IniFile.h"

SkinPicker::SkinPicker(QWidget* window, QWidget* parent) : QComboBox(parent) {
  data_ = new skin::TSkinData(window);
  data_->BeginReading();
  data_->SetActive(true);
  data_->ReadSkinStream(skin::DefaultSkinStream());
  data_->Loaded();
  addItem(QStringLiteral("默认 (stored skin)"), 0);
  const char* names[] = {"古色古香", "海洋之心", "金属时代", "蓝色妖姬", "天然淡雅", "新奇前卫", "夜读"};
  for (int n = 1; n <= 7; ++n) addItem(QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(names[n - 1])), n);
  addItem(QStringLiteral("无皮肤 (engine off)"), -1);
  connect(this, &QComboBox::activated, this, [this](int index) { Choose(itemData(index).toInt()); });
}

void SkinPicker::Choose(int n) {
  const int index = findData(n);
  if (index >= 0 && index != currentIndex()) setCurrentIndex(index);
  if (n < 0) {
    data_->SetActive(false);
    return;
  }
  if (n == 0) {
    data_->ReadSkinStream(skin::DefaultSkinStream());
    data_->RequestReskin();
  } else {
    data_->SetSkinFile(toolkit::ProgramFile(QStringLiteral("skins/%1.skn").arg(n)));
  }
  data_->SetActive(true);
}
