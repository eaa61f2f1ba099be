#pragma once
// The main window over the small test anthology, with a few more poems: one
// whose stored text holds a traditional character already (白髮), and a long
// one that takes several vertical pages.
#include <QTest>
#include <memory>

#include "app/MainForm.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tests/app/Reading.h"
#include "toolkit/ListView.h"
#include "toolkit/StdCtrls.h"

namespace reading_test {

inline QByteArray LongPoem() {
  QByteArray content;
  for (int i = 1; i <= 40; ++i) content += (i > 1 ? "\\r\\n" : "") + QByteArray("长歌当哭第") + QByteArray::number(i) + "句，";
  return "长歌\t杜甫\t古体诗\t长歌当哭第1句，\t" + content + "\n";
}

inline QByteArray MorePoems() {
  return "白发吟\t苏轼\t七言绝句\t白髮三千丈\t白髮三千丈，缘愁似个长。\\r\\n后来头发白。\n" + LongPoem();
}

inline QStringList Captions(const outbar::TDCOutBarVertListView* list) {
  QStringList out;
  for (int i = 0; i < list->ItemCount(); ++i) out << list->Item(i)->Caption();
  return out;
}

inline QStringList Rows(const toolkit::TListView* table, int column = 0) {
  QStringList out;
  for (int i = 0; i < table->Items().Count(); ++i) out << table->Items().Item(i)->ColumnText(column);
  return out;
}

class ReadingForm {
 public:
  ReadingFixture fixture{10, MorePoems()};
  std::unique_ptr<app::TForm1> form;

  ReadingForm() {
    form = std::make_unique<app::TForm1>();
    form->DoCreate();
  }
  reading::ReadingExtras& Extras() { return *form->Reading(); }
  void Traditional(bool on) {
    Extras().TraditionalItem->setChecked(on);
    Extras().TraditionalItemClick();
  }
  void ChooseEra(const QString& name) {
    form->DCOutBarVertListView2->SetItemIndex(static_cast<int>(Captions(form->DCOutBarVertListView2).indexOf(name)));
    form->DCOutBarVertListView2ButtonClick(form->DCOutBarVertListView2, nullptr);
  }
  void ChooseAuthor(const QString& name) {
    form->DCOutBarVertListView1->SetItemIndex(static_cast<int>(Captions(form->DCOutBarVertListView1).indexOf(name)));
    form->DCOutBarVertListView1ButtonClick(form->DCOutBarVertListView1, nullptr);
  }
  void SelectPoem(const QString& title) {
    form->ListView1->ClearSelection();
    form->ListView1->SetSelected(form->ListView1->Items().Item(static_cast<int>(Rows(form->ListView1).indexOf(title))));
  }
  void Search(int mode, const QString& keyword) {
    form->ComboBox1->SetItemIndex(mode);
    form->Edit1->SetText(keyword);
    form->Button1Click();
  }
  QString Pane() const { return form->Memo1->Lines().Text(); }
  QStringList Errors() { return fixture.dialogs->Errors(); }
};

}  // namespace reading_test
