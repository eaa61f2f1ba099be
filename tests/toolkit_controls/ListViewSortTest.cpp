// Sorting the list view's rows: a program comparator over a column's GBK
// bytes in both directions, the default caption order, and what travels with
// the rows.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/Gbk.h"
#include "toolkit/ListView.h"

using toolkit::TListItem;
using toolkit::TListView;

namespace {

// Compares one column's text as GBK bytes with a-z taken as A-Z; the sign of
// `data` gives the direction (positive ascending). Columns: 0 caption, k>=1 sub-item k-1.
int CompareColumnBytes(TListItem* a, TListItem* b, qintptr data) {
  const int column = static_cast<int>(data > 0 ? data - 1 : -data - 1);
  const QByteArray x = platform::ToGbk(a->ColumnText(column));
  const QByteArray y = platform::ToGbk(b->ColumnText(column));
  auto up = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  int result = 0;
  const int n = std::min(x.size(), y.size());
  int i = 0;
  for (; i < n; ++i) {
    const int cx = up(static_cast<unsigned char>(x[i]));
    const int cy = up(static_cast<unsigned char>(y[i]));
    if (cx != cy) break;
  }
  if (i < n) {
    result = up(static_cast<unsigned char>(x[i])) - up(static_cast<unsigned char>(y[i]));
  } else {
    result = static_cast<int>(x.size() - y.size());
  }
  return data > 0 ? result : -result;
}

class ListViewSort : public ::testing::Test {
 protected:
  void SetUp() override {
    view.SetMultiSelect(true);
    view.Columns().Add(QStringLiteral("作者姓名"), 190);
    view.Columns().Add(QStringLiteral("生卒年月"), 220);
    view.Columns().Add(QStringLiteral("作品篇数"), 120);
    // Unicode order of the names is 中 < 啊 < 阿; GBK order is 啊 < 阿 < 中.
    Add(QStringLiteral("中"), QStringLiteral("banana"), QStringLiteral("9 篇"), 10);
    Add(QStringLiteral("阿"), QStringLiteral("Apple"), QStringLiteral("12 篇"), 11);
    Add(QStringLiteral("啊"), QStringLiteral("cherry"), QStringLiteral("100 篇"), 12);
    Add(QStringLiteral("Zhu"), QStringLiteral("apple pie"), QStringLiteral("9 篇"), 13);
  }
  void Add(const QString& name, const QString& years, const QString& total, int record) {
    TListItem* item = view.Items().Add();
    item->SetCaption(name);
    item->SubItems().Add(years);
    item->SubItems().Add(total);
    item->SetData(record);
  }
  QStringList Column(int column) const {
    QStringList out;
    for (int i = 0; i < view.Items().Count(); ++i) out << view.Items()[i]->ColumnText(column);
    return out;
  }

  TListView view;
};

TEST_F(ListViewSort, CaptionByGbkBytesBothDirections) {
  view.CustomSort(CompareColumnBytes, 1);
  EXPECT_EQ(Column(0), (QStringList{"Zhu", "啊", "阿", "中"}));
  view.CustomSort(CompareColumnBytes, -1);
  EXPECT_EQ(Column(0), (QStringList{"中", "阿", "啊", "Zhu"}));
}

TEST_F(ListViewSort, LatinLettersIgnoreCaseAndPrefixesGoFirst) {
  view.CustomSort(CompareColumnBytes, 2);
  EXPECT_EQ(Column(1), (QStringList{"Apple", "apple pie", "banana", "cherry"}));
  view.CustomSort(CompareColumnBytes, -2);
  EXPECT_EQ(Column(1), (QStringList{"cherry", "banana", "apple pie", "Apple"}));
}

TEST_F(ListViewSort, CountsSortAsTextAndEqualRowsKeepTheirOrder) {
  view.CustomSort(CompareColumnBytes, 3);
  EXPECT_EQ(Column(2), (QStringList{"100 篇", "12 篇", "9 篇", "9 篇"}));
  // The two "9 篇" rows stay in their previous relative order.
  EXPECT_EQ(view.Items()[2]->Caption(), QStringLiteral("中"));
  EXPECT_EQ(view.Items()[3]->Caption(), QStringLiteral("Zhu"));
}

TEST_F(ListViewSort, DataSelectionAndFocusTravelWithTheirRowsAndNothingIsReported) {
  TListItem* chosen = view.Items()[1];  // 阿
  view.SetItemIndex(1);
  view.Items()[3]->SetSelected(true);
  int notes = 0;
  view.OnChange = [&](TListItem*, toolkit::TItemChange) { ++notes; };
  view.CustomSort(CompareColumnBytes, 1);
  EXPECT_EQ(notes, 0);
  EXPECT_EQ(view.ItemFocused(), chosen);
  EXPECT_EQ(chosen->Index(), 2);
  EXPECT_EQ(chosen->Data().toInt(), 11);
  EXPECT_EQ(view.SelCount(), 2);
  // The current row is the lowest selected one after the new order: Zhu.
  EXPECT_EQ(view.Selected()->Caption(), QStringLiteral("Zhu"));
  for (int i = 0; i < view.Items().Count(); ++i) EXPECT_EQ(view.Items()[i]->Index(), i);
}

TEST_F(ListViewSort, SortingByPositionComparesTheKeysOfThePositionsBeforeTheSort) {
  // Keys by position: 中 2, 阿 1, 啊 2, Zhu 0; the two 2s keep their order.
  const int keys[] = {2, 1, 2, 0};
  TListItem* middle = view.Items()[0];  // 中
  view.SetItemIndex(0);
  view.Items()[2]->SetSelected(true);
  int notes = 0;
  view.OnChange = [&](TListItem*, toolkit::TItemChange) { ++notes; };
  view.SortByPosition([&](int a, int b) { return keys[a] < keys[b]; });
  EXPECT_EQ(Column(0), (QStringList{"Zhu", "阿", "中", "啊"}));
  EXPECT_EQ(notes, 0);
  EXPECT_EQ(view.ItemFocused(), middle);
  EXPECT_EQ(middle->Index(), 2);
  EXPECT_EQ(view.SelCount(), 2);
  for (int i = 0; i < view.Items().Count(); ++i) EXPECT_EQ(view.Items()[i]->Index(), i);
  // A second sort is given the new positions: descending by the same keys.
  const int now[] = {0, 1, 2, 2};
  view.SortByPosition([&](int a, int b) { return now[a] > now[b]; });
  EXPECT_EQ(Column(0), (QStringList{"中", "啊", "阿", "Zhu"}));
}

TEST_F(ListViewSort, ACompareThatRaisesLeavesTheRowsAsTheyWere) {
  const QStringList before = Column(0);
  int calls = 0;
  auto failing = [&](TListItem*, TListItem*, qintptr) -> int {
    if (++calls == 3) throw std::runtime_error("compare failed");
    return -1;
  };
  EXPECT_THROW(view.CustomSort(failing, 0), std::runtime_error);
  EXPECT_EQ(Column(0), before);
  for (int i = 0; i < view.Items().Count(); ++i) ASSERT_NE(view.Items()[i], nullptr);
}

TEST_F(ListViewSort, AlphaSortUsesCaptionsIgnoringCaseOrOnCompare) {
  view.Items().Clear();
  for (const char* name : {"delta", "Bravo", "alpha", "Charlie"}) view.Items().Add()->SetCaption(name);
  view.AlphaSort();
  EXPECT_EQ(Column(0), (QStringList{"alpha", "Bravo", "Charlie", "delta"}));
  view.OnCompare = [](TListItem* a, TListItem* b, qintptr, int& compare) {
    compare = b->Caption().size() - a->Caption().size();  // longest first
  };
  view.AlphaSort();
  EXPECT_EQ(Column(0).first(), QStringLiteral("Charlie"));
  EXPECT_EQ(Column(0).last(), QStringLiteral("delta"));
}

TEST_F(ListViewSort, SortingAnEmptyViewIsHarmless) {
  view.Items().Clear();
  EXPECT_TRUE(view.CustomSort(CompareColumnBytes, 1));
  EXPECT_EQ(view.Items().Count(), 0);
}

}  // namespace
