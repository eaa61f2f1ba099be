#include "skin/engine/SkinData.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <QtEndian>

#include "skin/engine/Skin3rd.h"
#include "skin/engine/SkinManage.h"

namespace skin {

TSkinData::TSkinData(QObject* owner) : QObject(owner), skin3rd_(DefaultSkin3rd()), menuGlyphs_(LoadMenuGlyphs()) {
  setObjectName(QStringLiteral("SkinData"));
}

TSkinData::~TSkinData() {
  if (TSkinManage* m = TSkinManage::Instance()) m->Remove(this);
}

QWidget* TSkinData::OwnerForm() const {
  QObject* o = parent();
  return o && o->isWidgetType() ? static_cast<QWidget*>(o) : nullptr;
}

void TSkinData::SetSkinFile(const QString& path) {
  elements_.NotLoaded = true;
  skinFile_ = path;
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile()) return;  // windows keep their look; nothing new is skinned
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  stored_ = file.readAll();
  // A refused skin changed nothing: re-skinning would only take the caption
  // buttons off every frame, so the windows are left as they are.
  if (LoadSkin() && skinFormtype_ == sfMainform) RequestReskin();
}

bool TSkinData::LoadSkin() {
  // An archive without a description reads as a skin of defaults only.
  if (!LoadSkinElements(stored_, elements_)) return false;
  ++generation_;
  return true;
}

void TSkinData::ReadSkinStream(const QByteArray& stream) {
  if (stream.size() < 4) return;
  const qint32 count = qFromLittleEndian<qint32>(stream.constData());
  if (count <= 0) return;
  // A count beyond the stream's end keeps the bytes there are.
  stored_ = stream.mid(4, count);
  LoadSkin();
}

QByteArray TSkinData::WriteSkinStream() const {
  QByteArray out(4, '\0');
  qToLittleEndian<qint32>(static_cast<qint32>(stored_.size()), out.data());
  if (!stored_.isEmpty()) out += stored_;
  return out;
}

void TSkinData::Loaded() {
  reading_ = false;
  TSkinManage& manager = TSkinManage::Ensure();
  manager.Enrol(this);
  if (skinFormtype_ == sfOnlyThisForm || skinFormtype_ == sfDialog) {
    manager.SetActive(true);
    manager.SetStarted(manager.Started() + 1);
    if (QWidget* owner = OwnerForm()) manager.SkinWindow(owner->window());
    return;
  }
  manager.InstallHook();
  if (active_) {
    if (NotLoaded()) active_ = false;
    else manager.RequestAction(TSkinAction::SkinAll);
  }
  if (skinControls_.Contains(xcMainMenu)) skinControls_.Exclude(xcMenuItem);
  else skinControls_.Exclude(xcSystemMenu);
}

void TSkinData::SetActive(bool on) {
  if (active_ == on) return;
  active_ = on;
  if (reading_) return;
  TSkinManage& manager = TSkinManage::Ensure();
  switch (skinFormtype_) {
    case sfOnlyThisForm:
      manager.SetPending(this);
      if (on && NotLoaded()) return;
      manager.RequestAction(on ? TSkinAction::SkinAll : TSkinAction::RestoreAll);
      break;
    case sfDialog: break;
    case sfMainform:
      if (on && NotLoaded()) return;
      if (on) {
        manager.RequestAction(TSkinAction::SkinAll);
        manager.SetStarted(1);
      } else {
        manager.RequestAction(TSkinAction::RestoreAll);
      }
      manager.SetPending(this);
      break;
  }
}

void TSkinData::RequestReskin() {
  if (reading_) return;
  TSkinManage::Ensure().RequestReskin(this);
}

}  // namespace skin
