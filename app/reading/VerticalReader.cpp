#include "app/reading/VerticalReader.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "app/reading/VerticalPainter.h"
#include "app/reading/VerticalPinyin.h"
#include "toolkit/Fonts.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace reading {

namespace {
const QColor kPaper(250, 246, 234);
const QColor kInk(24, 20, 16);
}  // namespace

// The page itself: paper, then the characters of the current page.
class VerticalPageView : public QWidget {
 public:
  explicit VerticalPageView(TVerticalReader* reader) : QWidget(reader), reader_(reader) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kPaper);
    const QList<VerticalPage>& pages = reader_->Pages();
    if (reader_->page_ >= pages.size()) return;
    p.setPen(kInk);
    const int page = reader_->page_;
    PaintVerticalPage(p, pages[page], reader_->face_, reader_->cell_);
    if (reader_->pinyin_)
      PaintPinyinBeside(p, reader_->PinyinBoxes(page), reader_->GlyphsBefore(page), reader_->readings_,
                        reader_->PinyinFont());
  }
  void resizeEvent(QResizeEvent*) override { reader_->Relayout(); }

 private:
  TVerticalReader* reader_;
};

TVerticalReader::TVerticalReader(QWidget* owner) : toolkit::TForm(owner), face_(toolkit::MakeFont(QStringLiteral("楷体"), 16)) {
  setObjectName(QStringLiteral("VerticalReader"));
  // A companion of the main window: the window manager keeps it above its
  // owner (a dialog's place), yet it has the buttons of a main window.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  SetCaption(QStringLiteral("竖排阅读"));
  SetDesignBounds(0, 0, 760, 620);
  resize(760, 620);

  bar_ = new toolkit::TPanel(this);
  bar_->setObjectName(QStringLiteral("PageBar"));
  bar_->resize(760, 36);
  bar_->SetBevelOuter(toolkit::bvNone);
  toolkit::SetAlign(bar_, toolkit::alBottom);
  auto button = [this](const char* name, const QString& caption, int left) {
    auto* b = new toolkit::TButton(bar_);
    b->setObjectName(QString::fromLatin1(name));
    b->SetCaption(caption);
    b->setGeometry(left, 6, 75, 25);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  // Pages turn to the left: "下一页" stands on the left, "上一页" on the right.
  NextButton = button("NextButton", QStringLiteral("下一页"), 12);
  PreviousButton = button("PreviousButton", QStringLiteral("上一页"), 673);
  NextButton->OnClick = [this] { SetPageIndex(page_ + 1); };
  PreviousButton->OnClick = [this] { SetPageIndex(page_ - 1); };
  PageLabel = new toolkit::TLabel(bar_);
  PageLabel->setObjectName(QStringLiteral("PageLabel"));
  PageLabel->SetTransparent(true);
  PageLabel->SetAutoSize(true);

  view_ = new VerticalPageView(this);
  view_->setObjectName(QStringLiteral("PageView"));
  toolkit::SetAlign(view_, toolkit::alClient);
  ShowPageState();
}

QWidget* TVerticalReader::PageView() const { return view_; }

namespace {
bool Same(const VerticalText& a, const VerticalText& b) {
  return a.title == b.title && a.byline == b.byline && a.body == b.body;
}
}  // namespace

void TVerticalReader::SetText(const VerticalText& text, const VerticalText& stored) {
  if (Same(text, text_) && Same(stored, stored_)) return;
  const bool sameText = Same(text, text_);
  text_ = text;
  stored_ = stored;
  readings_ = pinyin_ ? GlyphReadings(text_, stored_) : QStringList();
  // A text only read anew (the same characters shown) keeps its page.
  if (!sameText) page_ = 0;
  Relayout();
}

void TVerticalReader::SetPinyin(bool on) {
  if (on == pinyin_) return;
  pinyin_ = on;
  readings_ = on ? GlyphReadings(text_, stored_) : QStringList();
  page_ = 0;
  Relayout();
}

QFont TVerticalReader::PinyinFont() const {
  QFont face = face_;
  face.setPixelSize(cell_);
  return study::PinyinFontFor(face);
}

int TVerticalReader::GlyphsBefore(int page) const {
  const QList<VerticalPage>& pages = Pages();
  int before = 0;
  for (int i = 0; i < page && i < pages.size(); ++i) before += static_cast<int>(pages[i].glyphs.size());
  return before;
}

QList<QRect> TVerticalReader::PinyinBoxes(int page) const {
  const QList<VerticalPage>& pages = Pages();
  if (!pinyin_ || page < 0 || page >= pages.size()) return {};
  return PinyinBesideColumns(pages[page], GlyphsBefore(page), readings_, pinyinMetrics_);
}

void TVerticalReader::SetFace(const QFont& face) {
  face_ = face;
  Relayout();
}

void TVerticalReader::SetCell(int cell) {
  cell = std::clamp(cell, kMinCell, kMaxCell);
  if (cell == cell_) return;
  // Keep the reader near the same place: on the page holding the first
  // character shown before.
  const int glyphsBefore = GlyphsBefore(page_);
  cell_ = cell;
  Relayout();
  const QList<VerticalPage>& after = Pages();
  int page = 0;
  for (int seen = 0; page + 1 < after.size() && seen + after[page].glyphs.size() <= glyphsBefore; ++page)
    seen += static_cast<int>(after[page].glyphs.size());
  page_ = page;
  ShowPageState();
}

const QList<VerticalPage>& TVerticalReader::Pages() const {
  const QSize size = view_ ? view_->size() : QSize();
  if (stale_ || size != laidFor_) {
    VerticalMetrics metrics = MetricsForCell(cell_);
    if (pinyin_) {
      QFont face = face_;
      face.setPixelSize(cell_);
      pinyinMetrics_ = study::RubyMetrics::ForFonts(face, PinyinFont());
      metrics = WithRoomForPinyin(metrics, readings_, pinyinMetrics_);
    }
    pages_ = VerticalLayout(size, metrics).Lay(text_);
    laidFor_ = size;
    stale_ = false;
  }
  return pages_;
}

int TVerticalReader::PageCount() const { return static_cast<int>(Pages().size()); }

void TVerticalReader::SetPageIndex(int index) {
  index = std::clamp(index, 0, PageCount() - 1);
  if (index == page_) return;
  page_ = index;
  ShowPageState();
}

void TVerticalReader::Relayout() {
  stale_ = true;
  page_ = std::clamp(page_, 0, PageCount() - 1);
  ShowPageState();
}

void TVerticalReader::ShowPageState() {
  const int count = PageCount();
  PageLabel->SetCaption(QStringLiteral("第 %1 / %2 页").arg(page_ + 1).arg(count));
  PageLabel->move((bar_->width() - PageLabel->width()) / 2, (bar_->height() - PageLabel->height()) / 2);
  PreviousButton->move(std::max(12, bar_->width() - 12 - PreviousButton->width()), PreviousButton->y());
  NextButton->setEnabled(page_ + 1 < count);
  PreviousButton->setEnabled(page_ > 0);
  view_->update();
}

void TVerticalReader::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_PageDown: case Qt::Key_Left: case Qt::Key_Space: SetPageIndex(page_ + 1); break;
    case Qt::Key_PageUp: case Qt::Key_Right: case Qt::Key_Backspace: SetPageIndex(page_ - 1); break;
    case Qt::Key_Home: SetPageIndex(0); break;
    case Qt::Key_End: SetPageIndex(PageCount() - 1); break;
    case Qt::Key_Escape: Close(); break;
    case Qt::Key_Plus: case Qt::Key_Equal:
      if (!ctrl) return toolkit::TForm::keyPressEvent(event);
      SetCell(cell_ + kCellStep);
      break;
    case Qt::Key_Minus:
      if (!ctrl) return toolkit::TForm::keyPressEvent(event);
      SetCell(cell_ - kCellStep);
      break;
    default:
      toolkit::TForm::keyPressEvent(event);
      return;
  }
  event->accept();
}

}  // namespace reading
