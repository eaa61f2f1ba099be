#pragma once
// The skin component a form carries: which windows and window parts are
// skinned, the skin's bytes and the elements read from them, and the requests
// it hands to the process-wide skin manager (SkinManage.h).
//
// Painters read Elements() whenever they paint, so switching skins only has to
// invalidate. Generation() changes at every load that replaces the elements,
// so that anything keeping pointers into them (caption buttons) can tell they
// are stale. A refused load replaces nothing: the windows keep the skin they
// show, and only windows opened afterwards stay unskinned (NotLoaded).
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "skin/core/SkinElements.h"
#include "skin/engine/ImageList.h"
#include "skin/engine/SkinControlTypes.h"

class QWidget;

namespace skin {

class TSkinControl;

class TSkinData : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(int DisableTag READ DisableTag WRITE SetDisableTag)
  Q_PROPERTY(QString SkinFile READ SkinFile WRITE SetSkinFile)
  Q_PROPERTY(QString SkinStore READ SkinStore WRITE SetSkinStore)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(bool MenuUpdate READ MenuUpdate WRITE SetMenuUpdate)
  Q_PROPERTY(bool MenuMerge READ MenuMerge WRITE SetMenuMerge)

 public:
  // `owner` is the form the component sits on (or none).
  explicit TSkinData(QObject* owner = nullptr);
  ~TSkinData() override;

  bool Active() const { return active_; }
  void SetActive(bool on);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int tag) { disableTag_ = tag; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes set) { skinControls_ = set; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions options) { options_ = options; }
  const QStringList& Skin3rd() const { return skin3rd_; }
  void SetSkin3rd(const QStringList& lines) { skin3rd_ = lines; }
  QString SkinFile() const { return skinFile_; }
  // Loads the file at once when it exists; see the .cpp for the whole rule.
  void SetSkinFile(const QString& path);
  // "(none)" at run time; writing does nothing.
  QString SkinStore() const { return QStringLiteral("(none)"); }
  void SetSkinStore(const QString&) {}
  TSkinFormType SkinFormtype() const { return skinFormtype_; }
  void SetSkinFormtype(TSkinFormType type) { skinFormtype_ = type; }
  QString Version() const { return QStringLiteral("3.02.03.09"); }
  void SetVersion(const QString&) {}
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool on) { menuUpdate_ = on; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool on) { menuMerge_ = on; }

  // Asked with a window's class name before a top-level window is skinned.
  std::function<void(QObject* sender, const QString& aName, bool& doSkin)> OnFormSkin;
  // Fired after each manager action performed for this component.
  std::function<void(QObject* sender)> OnSkinChanged;
  // Lets the application supply its own skinner for a control.
  std::function<void(QObject* sender, TSkinData* skinData, QWidget* form, QWidget* control,
                     const QString& controlClass, TSkinControl*& skinnedControl)>
      OnSkinControl;

  // The stored skin as the form keeps it: a 32-bit little-endian byte count,
  // then that many bytes. Reading a count above 0 replaces the stored skin and
  // loads it at once; a count of 0 or less (or a short stream) leaves it empty.
  void ReadSkinStream(const QByteArray& stream);
  QByteArray WriteSkinStream() const;
  const QByteArray& StoredSkin() const { return stored_; }

  // Marks the component as being read from its form's definition: property
  // setters only store their values until Loaded().
  void BeginReading() { reading_ = true; }
  bool Reading() const { return reading_; }
  // After the form's definition is read: enrols with the manager, installs
  // the hook and requests the first skinning.
  void Loaded();
  // Decodes the stored bytes into the elements; false (and the previous
  // elements kept, marked not loaded) when the skin is refused: its container,
  // or any bound on what a skin may cost (skin/core/SkinBudget.h).
  bool LoadSkin();
  // Re-skins every window of this component 250 ms later.
  void RequestReskin();

  // True from the start of a load until the elements are read completely, and
  // after a refused load: no new window is skinned then.
  bool NotLoaded() const { return elements_.NotLoaded; }
  // The elements hold a skin read completely: the last one loaded, also while
  // a refused or missing file marks the component not loaded. Painters of
  // windows already skinned go by this, so that they keep their look.
  bool HasSkin() const { return generation_ > 0; }
  const TSkinElements& Elements() const { return elements_; }
  TSkinElements& Elements() { return elements_; }
  int Generation() const { return generation_; }
  QString SkinName() const { return elements_.SkinName; }
  const QBrush& ButtonFaceBrush() const { return elements_.ButtonFaceBrush; }
  platform::TColor ButtonFace() const { return elements_.Colours.ButtonFace; }
  // The 16 x 16 menu glyphs.
  const TImageList& MenuGlyphs() const { return menuGlyphs_; }
  // The application icon cached by the caption buttons that show it.
  QImage& AppIcon() { return appIcon_; }

  // The form the component sits on, when its owner is one.
  QWidget* OwnerForm() const;

 private:
  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_ = TSkinControlTypes::Default();
  TSkinOptions options_ = 0;
  QStringList skin3rd_;
  QString skinFile_;
  TSkinFormType skinFormtype_ = sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;
  bool reading_ = false;

  QByteArray stored_;
  TSkinElements elements_;
  int generation_ = 0;
  TImageList menuGlyphs_;
  QImage appIcon_;
};

}  // namespace skin
