#include "skin/engine/Skin3rd.h"

namespace skin {
namespace {

QStringList MakeTable() {
  QStringList t;
  auto add = [&t](const char* kind, std::initializer_list<const char*> classes) {
    for (const char* c : classes) t << QString::fromLatin1(c) + u'=' + QString::fromLatin1(kind);
  };
  add("embedscrollbar", {"TAdvPanelGroup"});
  add("combobox", {"TComboboxex"});
  add("speedbutton", {"TRxSpeedButton"});
  add("Panel", {"TControlBar", "TTBDock", "TTBToolbar"});
  add("nil", {"TAdvPageControl"});
  add("scrollbar", {"TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"});
  add("combobox", {"TcxDBLookupComboBox", "TcxDBComboBox", "TcxDBDateEdit", "TcxDBImageComboBox", "TcxDBCalcEdit",
                   "TcxDBBlobEdit", "TcxDBPopupEdit", "TcxDBFontNameComboBox", "TcxDBShellComboBox", "TRxLookupEdit",
                   "TRxDBLookupCombo"});
  add("button", {"TRzButton"});
  add("bitbtn", {"TRzBitbtn", "TRzMenuButton"});
  add("CheckGroup", {"TRzCheckGroup"});
  add("Radiogroup", {"TRzRadioGroup"});
  add("Radiobutton", {"TRzRadioButton"});
  add("Checkbox", {"TRzCheckBox"});
  add("Edit", {"TRzButtonEdit"});
  add("Radiogroup", {"TRzDBRadioGroup"});
  add("Radiobutton", {"TRzDBRadioButton"});
  add("combobox", {"TRzDateTimeEdit", "TRzColorEdit", "TRzDateTimePicker", "TRzDBDateTimeEdit", "TRzDbColorEdit",
                   "TRzDBDateTimePicker"});
  add("Groupbox", {"TLMDGroupBox"});
  add("Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"});
  add("Radiobutton", {"TLMDRadiobutton"});
  add("panel", {"TLMDCalculator", "TLMDGROUPBOX", "TLMDSIMPLEPANEL", "TLMDDBCalendar", "TLMDButtonPanel"});
  add("Panel", {"TLMDLMDCalculator", "TLMDHeaderPanel", "TLMDTechnicalLine", "TLMDLMDClock", "TLMDTrackbar"});
  add("combobox", {"TLMDListCombobox", "TLMDCheckListCombobox", "TLMDHeaderListCombobox", "TLMDImageCombobox",
                   "TLMDColorCombobox", "TLMDFontCombobox", "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",
                   "TLMDPrinterCombobox", "TLMDDriveCombobox", "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                   "TLMDCalendarComboBox", "TLMDTreeComboBox"});
  add("radiogroup", {"TLMDRADIOGROUP"});
  add("CheckGroup", {"TLMDCheckGroup"});
  add("radiogroup", {"TLMDDBRADIOGROUP"});
  add("CheckGroup", {"TLMDDBCheckGroup"});
  add("edit", {"TLMDCalculatorEdit", "TLMDEDIT", "TLMDMASKEDIT", "TLMDBROWSEEDIT", "TLMDEXTSPINEDIT",
               "TLMDCALENDAREDIT", "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT"});
  add("Edit", {"TLMDCOLOREDIT", "TLMDDBEDIT", "TLMDDBMASKEDIT", "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",
               "TLMDDBEDITDBLookup", "TLMDEDITDBLookup"});
  add("Combobox", {"TDBLookupCombobox", "TWWDBCombobox", "TWWDBLookupCombo", "TWWDBCombobox", "TWWKeyCombo",
                   "TWWTempKeyCombo", "TWWDBDateTimePicker"});
  add("radiogroup", {"TWWRADIOGROUP"});
  add("Edit", {"TWWDBEDIT"});
  add("bitbtn", {"TcxButton"});
  add("checkbox", {"TcxDBCheckBox"});
  add("radiogroup", {"TcxDBRadioGroup", "TcxRadioGroup"});
  add("checkbox", {"TcxCheckBox"});
  add("Edit", {"TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT", "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD",
               "TOVCDBSIMPLEFIELD", "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"});
  return t;
}

}  // namespace

const QStringList& DefaultSkin3rd() {
  static const QStringList table = MakeTable();
  return table;
}

}  // namespace skin
