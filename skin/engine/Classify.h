#pragma once
// Which skinner a control of a skinned window receives: the decision alone,
// apart from creating the skinner (skin/controls/SkinnerFactory.h does that),
// so that every rule can be checked as a table.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "skin/engine/SkinControlTypes.h"

class QObject;
class QWidget;

namespace skin {

class TSkinData;

enum TSkinnerKind {
  skNone,
  skBox,          // TSkinBox: panels, embedded forms, the DB navigator
  skButton,       // TSkinButton
  skBitButton,    // TSkinBitButton
  skSpeedButton,  // TSkinSpeedButton
  skCheckBox,     // TSkinCheckBox
  skRadioButton,  // TSkinRadioButton
  skObjImage,     // TSkinObjImage (check box with custom glyphs)
  skEdit,         // TSkinEdit
  skComBox,       // TSkinComBox
  skStatusBar,    // TSkinStatusBar
  skGroupBox,     // TSkinGroupBox
  skTab,          // TSkinTab
  skTab31,        // TSkinTab31
  skTrackBar,     // TSkinTrackBar
  skUpDown,       // TSkinUpDown
  skProgress,     // TSkinProgress
  skScrollbar,    // TSkinScrollbar
  skListView,     // TSkinListView
  skScControl,    // TSkinScControl (scroll boxes)
  skSizer,        // TSkinSizer (size grips)
  skHeader,       // TSkinHeader
  skScrollbarH,   // TSkinScrollbarH (a scroll-bar skinner by window handle)
};

// Text name of a kind ("TSkinButton"), for messages and tests.
QString SkinnerClassName(TSkinnerKind kind);

// One skinner to create.
struct TSkinnerOrder {
  QWidget* control = nullptr;
  TSkinnerKind kind = skNone;
  // Attach by window handle (InitWindow) rather than as a component (InitControl).
  bool byHandle = false;
  friend bool operator==(const TSkinnerOrder&, const TSkinnerOrder&) = default;
};

// What the rules decided for one control.
struct TClassification {
  // The rule that decided: a table row's test, a third-party kind, or why the
  // control was skipped ("skipped: tag", "skipped: attached", "no row").
  QString rule;
  std::vector<TSkinnerOrder> orders;
  // Walk the components owned by the control afterwards.
  bool walkOwned = false;
  // A published Boolean property set to True before the skinner attaches
  // ("Flat" for the DB navigator, "Transparent" for third-party panels and track bars).
  QString setTrue;
  // The status bar's size grip is switched off.
  bool sizeGripOff = false;
};

// A control, popup menu or popup-menu window keeps its own look when its Tag
// mod 100 (the remainder keeping the sign of the Tag) equals DisableTag. The
// one rule for controls, a form's popup menus and menu windows.
bool DisabledByTag(const QObject* object, int disableTag);
// The Tag property of a widget (0 without one).
int TagOf(const QObject* o);
// The control's class name in upper case ("TPANEL").
QString UpperClassName(const QWidget* control);

// A windowed control with scroll-bar styles, a memo, or Tag exactly 55.
bool NeedsScrollSkin(const QWidget* control);

// The Skin3rd mapping: nullopt when no line names the class (compared in
// lower case, first matching line wins); otherwise the control is handled,
// with the skinners the kind and SkinControls call for (possibly none).
std::optional<TClassification> MapThirdParty(const QString& className, QWidget* control, const QStringList& skin3rd,
                                             TSkinControlTypes controls, bool hasTabs);

// The fixed table for a control no Skin3rd line handled: the first row whose
// test and SkinControls requirement both hold.
TClassification ClassifyByTable(QWidget* control, TSkinControlTypes controls, bool hasTabs);

// Steps 1, 4 and 5 together (step 3, the application's OnSkinControl, is
// asked by the caller between the skip test and the mapping): `attached` says
// whether a skinner already holds a control.
TClassification ClassifyControl(QWidget* control, const TSkinData& data,
                                const std::function<bool(const QWidget*)>& attached);

// The components a form (or a container control) owns, in creation order:
// its child widgets and, through containers, theirs; not the inner parts of
// composite controls (a combo box's edit, a list's viewport and scroll bars)
// nor other windows.
std::vector<QWidget*> OwnedControls(QWidget* owner);
// Only the direct ones (what "the components owned by the control" are).
std::vector<QWidget*> DirectlyOwnedControls(QWidget* owner);

// A child window of a foreign window, by its window class: "button" (push
// buttons, check boxes, radio buttons by style), "edit", "combobox",
// "scrollbar", "msctls_progress32", "msctls_trackbar32", "msctls_updown32",
// "systabcontrol32", "listbox"; anything else gets nothing.
TSkinnerOrder ClassifyByWindowClass(QWidget* child, TSkinControlTypes controls, bool hasTabs);

}  // namespace skin
