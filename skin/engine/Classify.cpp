#include "skin/engine/Classify.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVariant>

#include "platform/WindowClass.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

namespace skin {

QString SkinnerClassName(TSkinnerKind kind) {
  switch (kind) {
    case skNone: return QStringLiteral("none");
    case skBox: return QStringLiteral("TSkinBox");
    case skButton: return QStringLiteral("TSkinButton");
    case skBitButton: return QStringLiteral("TSkinBitButton");
    case skSpeedButton: return QStringLiteral("TSkinSpeedButton");
    case skCheckBox: return QStringLiteral("TSkinCheckBox");
    case skRadioButton: return QStringLiteral("TSkinRadioButton");
    case skObjImage: return QStringLiteral("TSkinObjImage");
    case skEdit: return QStringLiteral("TSkinEdit");
    case skComBox: return QStringLiteral("TSkinComBox");
    case skStatusBar: return QStringLiteral("TSkinStatusBar");
    case skGroupBox: return QStringLiteral("TSkinGroupBox");
    case skTab: return QStringLiteral("TSkinTab");
    case skTab31: return QStringLiteral("TSkinTab31");
    case skTrackBar: return QStringLiteral("TSkinTrackBar");
    case skUpDown: return QStringLiteral("TSkinUpDown");
    case skProgress: return QStringLiteral("TSkinProgress");
    case skScrollbar: return QStringLiteral("TSkinScrollbar");
    case skListView: return QStringLiteral("TSkinListView");
    case skScControl: return QStringLiteral("TSkinScControl");
    case skSizer: return QStringLiteral("TSkinSizer");
    case skHeader: return QStringLiteral("TSkinHeader");
    case skScrollbarH: return QStringLiteral("TSkinScrollbarH");
  }
  return {};
}

int TagOf(const QObject* o) {
  const QVariant v = o ? o->property("Tag") : QVariant();
  return v.isValid() ? v.toInt() : 0;
}

bool DisabledByTag(const QObject* object, int disableTag) {
  // C++'s % keeps the sign of the dividend, as the rule asks: -99 mod 100 is -99.
  return TagOf(object) % 100 == disableTag;
}

QString UpperClassName(const QWidget* control) { return platform::WindowClassName(control).toUpper(); }

namespace {

bool IsMemo(const QWidget* w) { return qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w); }

bool HasScrollStyles(const QWidget* w) {
  const auto* area = qobject_cast<const QAbstractScrollArea*>(w);
  if (!area) return false;
  return area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ||
         area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

bool IsEmbeddedForm(const QWidget* w) { return qobject_cast<const toolkit::TForm*>(w) && !w->isWindow(); }

// Widgets whose children are their own inner parts rather than designed controls.
bool IsComposite(const QWidget* w) {
  return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QMenuBar*>(w) || qobject_cast<const QTabBar*>(w) ||
         qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QProgressBar*>(w) ||
         qobject_cast<const QTabWidget*>(w);
}

void AddOrder(TClassification& c, QWidget* w, TSkinnerKind kind, bool byHandle = false) {
  c.orders.push_back({w, kind, byHandle});
}

void Walk(QWidget* owner, std::vector<QWidget*>& out) {
  for (QObject* o : owner->children()) {
    if (!o->isWidgetType()) continue;
    auto* w = static_cast<QWidget*>(o);
    if (w->isWindow()) continue;
    out.push_back(w);
    if (!IsComposite(w)) Walk(w, out);
  }
}

}  // namespace

bool NeedsScrollSkin(const QWidget* control) {
  return HasScrollStyles(control) || IsMemo(control) || TagOf(control) == 55;
}

std::vector<QWidget*> OwnedControls(QWidget* owner) {
  std::vector<QWidget*> out;
  if (owner) Walk(owner, out);
  return out;
}

std::vector<QWidget*> DirectlyOwnedControls(QWidget* owner) {
  std::vector<QWidget*> out;
  if (!owner) return out;
  for (QObject* o : owner->children())
    if (o->isWidgetType() && !static_cast<QWidget*>(o)->isWindow()) out.push_back(static_cast<QWidget*>(o));
  return out;
}

std::optional<TClassification> MapThirdParty(const QString& className, QWidget* control, const QStringList& skin3rd,
                                             TSkinControlTypes xc, bool hasTabs) {
  const QString prefix = className.toLower() + u'=';
  QString kind;
  bool found = false;
  for (const QString& line : skin3rd) {
    if (line.toLower().startsWith(prefix)) {
      kind = line.mid(line.indexOf(u'=') + 1).left(50).toLower();
      found = true;
      break;
    }
  }
  if (!found) return std::nullopt;
  TClassification c;
  c.rule = QStringLiteral("Skin3rd ") + kind;
  auto needs = [&](TSkinControlType t, TSkinnerKind k, bool byHandle = false) {
    if (xc.Contains(t)) AddOrder(c, control, k, byHandle);
  };
  if (kind == QLatin1String("combobox")) needs(xcCombo, skComBox);
  else if (kind == QLatin1String("edit")) needs(xcEdit, skEdit, true);
  else if (kind == QLatin1String("radiobutton")) needs(xcRadioButton, skRadioButton);
  else if (kind == QLatin1String("panel")) {
    if (xc.Contains(xcPanel)) {
      c.setTrue = QStringLiteral("Transparent");
      AddOrder(c, control, skBox);
    }
  } else if (kind == QLatin1String("trackbar")) {
    if (xc.Contains(xcButton)) {
      c.setTrue = QStringLiteral("Transparent");
      AddOrder(c, control, skTrackBar);
    }
  } else if (kind == QLatin1String("button")) needs(xcButton, skButton);
  else if (kind == QLatin1String("bitbtn")) needs(xcButton, skBitButton);
  else if (kind == QLatin1String("speedbutton")) needs(xcSpeedButton, skSpeedButton);
  else if (kind == QLatin1String("tab")) {
    if (xc.Contains(xcTab) && hasTabs) AddOrder(c, control, skTab, true);
  } else if (kind == QLatin1String("progress")) needs(xcProgress, skProgress);
  else if (kind == QLatin1String("scrollbar")) {
    if (xc.Contains(xcScrollbar)) {
      AddOrder(c, control, skScrollbar);
      c.walkOwned = true;
    }
  } else if (kind == QLatin1String("embedscrollbar")) {
    if (xc.Contains(xcScrollbar))
      for (QWidget* child : DirectlyOwnedControls(control)) {
        if (qobject_cast<QScrollArea*>(child)) AddOrder(c, child, skScControl);
        else if (NeedsScrollSkin(child)) AddOrder(c, child, skScrollbar);
      }
  } else if (kind == QLatin1String("container")) {
    for (QWidget* child : DirectlyOwnedControls(control))
      if (auto sub = MapThirdParty(platform::WindowClassName(child), child, skin3rd, xc, hasTabs))
        c.orders.insert(c.orders.end(), sub->orders.begin(), sub->orders.end());
  } else if (kind == QLatin1String("groupbox")) needs(xcGroupBox, skGroupBox);
  else if (kind == QLatin1String("radiogroup")) {
    if (xc.Contains(xcRadioButton))
      for (QWidget* child : DirectlyOwnedControls(control)) AddOrder(c, child, skRadioButton);
    needs(xcGroupBox, skGroupBox);
  } else if (kind == QLatin1String("checkgroup")) {
    if (xc.Contains(xcPanel)) {
      // The check boxes of a check group follow the radio-button switch.
      if (xc.Contains(xcRadioButton))
        for (QWidget* child : DirectlyOwnedControls(control)) AddOrder(c, child, skCheckBox);
      needs(xcGroupBox, skGroupBox);
    }
  } else if (kind == QLatin1String("checkbox")) needs(xcCheckBox, skCheckBox);
  // "nil" and every other kind: handled, no skinner.
  return c;
}

TClassification ClassifyByTable(QWidget* w, TSkinControlTypes xc, bool hasTabs) {
  TClassification c;
  const QString name = UpperClassName(w);
  auto decide = [&](const char* rule, TSkinnerKind kind, bool walkOwned = false, bool byHandle = false) {
    c.rule = QString::fromLatin1(rule);
    if (kind != skNone) AddOrder(c, w, kind, byHandle);
    c.walkOwned = walkOwned;
    return c;
  };
  auto is = [&](std::initializer_list<const char*> names) {
    for (const char* n : names)
      if (name == QLatin1String(n)) return true;
    return false;
  };
  if (is({"TTABSET"}) && xc.Contains(xcTab) && hasTabs) return decide("TTABSET", skTab31);
  if (is({"TTABBEDNOTEBOOK"}) && xc.Contains(xcTab) && hasTabs) return decide("TTABBEDNOTEBOOK", skTab, false, true);
  if (is({"TMVCPANEL"})) return decide("TMVCPANEL", skNone);
  if (qobject_cast<QCheckBox*>(w) && xc.Contains(xcCheckBox)) return decide("check box", skCheckBox);
  if (is({"TTRACKBAR"}) && xc.Contains(xcButton)) return decide("TTRACKBAR", skTrackBar);
  if (is({"TUPDOWN", "TSPINBUTTON"}) && xc.Contains(xcButton)) return decide("TUPDOWN", skUpDown);
  if (is({"TDBNAVIGATOR"}) && xc.Contains(xcPanel)) {
    c.setTrue = QStringLiteral("Flat");
    return decide("TDBNAVIGATOR", skBox);
  }
  if (is({"TRZDBCHECKBOX"}) && xc.Contains(xcCheckBox)) return decide("TRZDBCHECKBOX", skObjImage);
  if (qobject_cast<QGroupBox*>(w) && xc.Contains(xcGroupBox)) return decide("group box", skGroupBox, true);
  if ((qobject_cast<toolkit::TStatusBar*>(w) || qobject_cast<QStatusBar*>(w)) && xc.Contains(xcStatusBar)) {
    c.sizeGripOff = true;
    return decide("status bar", skStatusBar);
  }
  if (qobject_cast<QComboBox*>(w) && xc.Contains(xcCombo)) return decide("combo box", skComBox);
  if (is({"TDATETIMEPICKER"}) && xc.Contains(xcEdit)) {
    const bool upDown = w->property("DateMode").toString().compare(QLatin1String("dmUpDown"), Qt::CaseInsensitive) == 0 ||
                        w->property("Kind").toString().compare(QLatin1String("dtkTime"), Qt::CaseInsensitive) == 0;
    return decide("TDATETIMEPICKER", upDown ? skEdit : skComBox);
  }
  if (is({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}) && xc.Contains(xcScrollbar)) return decide("TRICHEDIT", skScrollbar);
  if (qobject_cast<toolkit::TPanel*>(w) && xc.Contains(xcPanel)) return decide("panel", skBox, true);
  if (is({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && xc.Contains(xcScrollbar))
    return decide("TDXTREELIST", skScrollbar);
  if (qobject_cast<toolkit::TListView*>(w) && xc.Contains(xcScrollbar)) return decide("list view", skListView);
  if (IsMemo(w) && xc.Contains(xcScrollbar)) return decide("memo", skScrollbar);
  if (NeedsScrollSkin(w) && xc.Contains(xcScrollbar)) return decide("NeedsScrollSkin", skScrollbar);
  if (qobject_cast<QPushButton*>(w) && xc.Contains(xcButton)) return decide("push button", skButton);
  if ((qobject_cast<QLineEdit*>(w) || IsMemo(w)) && xc.Contains(xcEdit)) return decide("edit", skEdit);
  const bool dcEdit = is({"TDCEDIT", "TDCDBEDIT"});
  if (!dcEdit && IsEmbeddedForm(w)) return decide("embedded form", skBox, true);
  if (dcEdit) {
    const int buttons = w->property("NumButtons").toInt();
    if (buttons == 1 && xc.Contains(xcCombo)) return decide("TDCEDIT", skComBox);
    if (buttons == 0 && xc.Contains(xcEdit)) return decide("TDCEDIT", skEdit);
    return decide("TDCEDIT", skNone);
  }
  return decide("no row", skNone);
}

TClassification ClassifyControl(QWidget* control, const TSkinData& data,
                                const std::function<bool(const QWidget*)>& attached) {
  TClassification c;
  if (DisabledByTag(control, data.DisableTag())) {
    c.rule = QStringLiteral("skipped: tag");
    return c;
  }
  if (attached && attached(control)) {
    c.rule = QStringLiteral("skipped: attached");
    return c;
  }
  const bool hasTabs = data.Elements().Tabs != nullptr;
  const QString name = UpperClassName(control);
  if (auto mapped = MapThirdParty(platform::WindowClassName(control), control, data.Skin3rd(), data.SkinControls(), hasTabs)) {
    // A handled class has only its owned components walked besides.
    mapped->walkOwned = true;
    return *mapped;
  }
  if (name == QLatin1String("TDBCOMBOBOXEH") || name == QLatin1String("TQRPREVIEW") ||
      name == QLatin1String("TFRDESIGNERPAGE") || name == QLatin1String("TFRPBOX")) {
    c.rule = QStringLiteral("walk only");
    c.walkOwned = true;
    return c;
  }
  return ClassifyByTable(control, data.SkinControls(), hasTabs);
}

TSkinnerOrder ClassifyByWindowClass(QWidget* child, TSkinControlTypes xc, bool hasTabs) {
  TSkinnerOrder o{child, skNone, true};
  if (auto* b = qobject_cast<QAbstractButton*>(child)) {
    if (qobject_cast<QCheckBox*>(b)) {
      if (xc.Contains(xcCheckBox)) o.kind = skCheckBox;
    } else if (qobject_cast<QRadioButton*>(b)) {
      if (xc.Contains(xcRadioButton)) o.kind = skRadioButton;
    } else if (qobject_cast<QPushButton*>(b)) {
      if (xc.Contains(xcButton)) o.kind = skButton;
    }
  } else if (qobject_cast<QLineEdit*>(child) || qobject_cast<QPlainTextEdit*>(child) ||
             qobject_cast<QTextEdit*>(child)) {
    if (xc.Contains(xcEdit)) o.kind = skEdit;
  } else if (qobject_cast<QComboBox*>(child)) {
    if (xc.Contains(xcCombo)) o.kind = skComBox;
  } else if (qobject_cast<QScrollBar*>(child)) {
    if (xc.Contains(xcScrollbar)) o.kind = skScrollbar;
  } else if (qobject_cast<QProgressBar*>(child)) {
    if (xc.Contains(xcProgress)) o.kind = skProgress;
  } else if (qobject_cast<QSlider*>(child)) {
    if (xc.Contains(xcButton)) o.kind = skTrackBar;
  } else if (qobject_cast<QAbstractSpinBox*>(child)) {
    if (xc.Contains(xcButton)) o.kind = skUpDown;
  } else if (qobject_cast<QTabBar*>(child) || qobject_cast<QTabWidget*>(child)) {
    if (xc.Contains(xcTab) && hasTabs) o.kind = skTab;
  } else if (qobject_cast<QListWidget*>(child)) {
    if (xc.Contains(xcScrollbar)) o.kind = skScrollbarH;
  }
  return o;
}

}  // namespace skin
