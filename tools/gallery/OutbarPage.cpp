#include "tools/gallery/OutbarPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "toolkit/Fonts.h"

using namespace outbar;

namespace {

// A bar in the look of the main window's left panel: one group, 黑体 16, a
// small-icon list with ItemSpace 12 and an expanded, highlighted selection.
TDCOutBar* MakeMainWindowBar(QWidget* parent, const QString& caption, platform::TColor color,
                             const QStringList& items) {
  auto* bar = new TDCOutBar(parent);
  bar->setFont(toolkit::MakeFont(QStringLiteral("黑体"), 16));
  TDCOutBarGroup* group = bar->AddGroup();
  group->SetCaption(caption);
  TDCOutBarVertListView* list = group->ListView();
  list->SetViewStyle(vsSmallIcon);
  list->SetSelectionType(stExpanded);
  list->SetHighlightSelection(true);
  list->SetItemSpace(12);
  list->SetGradientEndColor(platform::clWhite);
  list->SetColor(color);
  list->SetFontColor(platform::clBlack);
  list->setFont(toolkit::MakeFont(QStringLiteral("宋体"), 15));
  for (const QString& item : items) list->AddItem(item);
  return bar;
}

}  // namespace

QWidget* MakeOutbarPage() {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(8, 8, 8, 8);

  // Several groups with long lists, gradients and a tiled background.
  auto* bar = new TDCOutBar(page);
  bar->setMinimumSize(180, 420);
  bar->SetHotTrack(true);
  bar->SetHighlightSelection(true);
  bar->SetSelectionType(stExpanded);
  bar->SetWrapLineCount(2);
  const QStringList names{QStringLiteral("唐"), QStringLiteral("宋"), QStringLiteral("元"), QStringLiteral("明清")};
  for (int g = 0; g < names.size(); ++g) {
    TDCOutBarGroup* group = bar->AddGroup();
    group->SetCaption(names[g]);
    TDCOutBarVertListView* list = group->ListView();
    list->SetViewStyle(vsSmallIcon);
    list->BeginUpdate();
    for (int i = 0; i < 40; ++i)
      list->AddItem(i % 7 == 3 ? QStringLiteral("%1 代诗人 %2：一个很长的名字要换行显示").arg(names[g]).arg(i + 1)
                               : QStringLiteral("%1 代诗人 %2").arg(names[g]).arg(i + 1));
    list->EndUpdate();
  }
  bar->SetBackgroundMode(bkmGradientVert);
  bar->SetGradientBeginColor(platform::RGB(40, 70, 140));
  bar->SetGradientEndColor(platform::RGB(10, 20, 40));
  row->addWidget(bar);

  // The era bar and the author bar of the main window.
  auto* panel = new QWidget(page);
  auto* pair = new QHBoxLayout(panel);
  pair->setContentsMargins(0, 0, 0, 0);
  pair->setSpacing(0);
  TDCOutBar* eras = MakeMainWindowBar(
      panel, QStringLiteral("中国作品"), platform::RGB(202, 228, 255),
      {QStringLiteral("先秦"), QStringLiteral("汉"), QStringLiteral("魏晋"), QStringLiteral("南北朝"),
       QStringLiteral("隋"), QStringLiteral("唐"), QStringLiteral("五代"), QStringLiteral("宋"),
       QStringLiteral("金"), QStringLiteral("元"), QStringLiteral("明"), QStringLiteral("清"),
       QStringLiteral("近现代"), QStringLiteral("当代")});
  eras->setFixedWidth(123);
  TDCOutBar* authors = MakeMainWindowBar(
      panel, QStringLiteral("中国作品"), platform::RGB(240, 248, 255),
      {QStringLiteral("屈原"), QStringLiteral("无名氏"), QStringLiteral("诗经"), QStringLiteral("项羽")});
  authors->setFixedWidth(129);
  TDCOutBarVertListView* eraList = eras->ListOf(0);
  TDCOutBarGroup* authorGroup = authors->Group(0);
  // Choosing an era shows it as the author group's caption, as the main window does.
  eras->OnButtonClick = [eraList, authorGroup](QObject*, TDCVertListItem*) {
    if (TDCVertListItem* item = eraList->Selected()) authorGroup->SetCaption(item->Caption());
  };
  pair->addWidget(eras);
  pair->addWidget(authors);
  panel->setFixedHeight(478);
  row->addWidget(panel, 0, Qt::AlignTop);
  row->addStretch(1);
  return page;
}
