#pragma once
// The vertical reading window: the pane's current text set vertically, one
// page at a time, in the text pane's face at a size the reader chooses.
// Page keys: Page Down, Left and Space go forward (vertical pages turn to the
// left), Page Up, Right and Backspace go back, Home and End go to the first
// and the last page; Ctrl+plus and Ctrl+minus change the size; Escape closes
// the window. The buttons under the page turn it as well. With 注音 each
// character's pinyin stands to the right of it, the columns set apart to make
// room for the widest.
#include <QFont>
#include <QList>
#include <QStringList>

#include "app/reading/VerticalLayout.h"
#include "app/study/RubyLayout.h"
#include "toolkit/Form.h"

namespace toolkit {
class TButton;
class TLabel;
class TPanel;
}

namespace reading {

class VerticalPageView;

class TVerticalReader : public toolkit::TForm {
  Q_OBJECT

 public:
  static constexpr int kMinCell = 12;
  static constexpr int kMaxCell = 96;
  static constexpr int kCellStep = 4;

  explicit TVerticalReader(QWidget* owner);

  // Shows another text from its first page; the same text again changes
  // nothing. `stored` is the same text as the database holds it (the shown
  // one may be in traditional script): the pinyin are read from it.
  void SetText(const VerticalText& text, const VerticalText& stored);
  void SetText(const VerticalText& text) { SetText(text, text); }
  const VerticalText& Text() const { return text_; }
  // 注音, off at first.
  bool Pinyin() const { return pinyin_; }
  void SetPinyin(bool on);
  // The reading of every glyph of the text in page order, "" for none; empty without 注音.
  const QStringList& Readings() const { return readings_; }
  // Where a page's pinyin are painted, one box for each of its glyphs (a null
  // one for a glyph without a reading); empty without 注音.
  QList<QRect> PinyinBoxes(int page) const;
  QFont PinyinFont() const;
  void SetFace(const QFont& face);
  QFont Face() const { return face_; }

  int Cell() const { return cell_; }
  void SetCell(int cell);
  int PageIndex() const { return page_; }
  int PageCount() const;
  void SetPageIndex(int index);
  // The pages for the current text, size and window.
  const QList<VerticalPage>& Pages() const;
  // The widget the page is painted on.
  QWidget* PageView() const;

  toolkit::TButton* PreviousButton = nullptr;  // 上一页
  toolkit::TButton* NextButton = nullptr;      // 下一页
  toolkit::TLabel* PageLabel = nullptr;        // 第 n / m 页

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class VerticalPageView;
  void Relayout();
  void ShowPageState();
  // The number of glyphs on the pages before `page`.
  int GlyphsBefore(int page) const;

  VerticalPageView* view_ = nullptr;
  toolkit::TPanel* bar_ = nullptr;
  VerticalText text_;
  VerticalText stored_;
  bool pinyin_ = false;
  QStringList readings_;
  mutable study::RubyMetrics pinyinMetrics_;
  QFont face_;
  int cell_ = 32;
  int page_ = 0;
  mutable QList<VerticalPage> pages_;
  mutable QSize laidFor_;
  mutable bool stale_ = true;
};

}  // namespace reading
