#pragma once
// The vertical reading window: the pane's current text set vertically, one
// page at a time, in the text pane's face at a size the reader chooses.
// Page keys: Page Down, Left and Space go forward (vertical pages turn to the
// left), Page Up, Right and Backspace go back, Home and End go to the first
// and the last page; Ctrl+plus and Ctrl+minus change the size; Escape closes
// the window. The buttons under the page turn it as well.
#include <QFont>
#include <QList>

#include "app/reading/VerticalLayout.h"
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

  // Shows another text from its first page; the same text again changes nothing.
  void SetText(const VerticalText& text);
  const VerticalText& Text() const { return text_; }
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

  VerticalPageView* view_ = nullptr;
  toolkit::TPanel* bar_ = nullptr;
  VerticalText text_;
  QFont face_;
  int cell_ = 32;
  int page_ = 0;
  mutable QList<VerticalPage> pages_;
  mutable QSize laidFor_;
  mutable bool stale_ = true;
};

}  // namespace reading
