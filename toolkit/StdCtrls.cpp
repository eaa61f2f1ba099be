#include "toolkit/StdCtrls.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/PointerPixel.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Exception.h"
#include "toolkit/accessible/Notice.h"

namespace toolkit {

namespace {

// What a memo line handed by code was, and what the memo showed for it.
struct StoredLine : QTextBlockUserData {
  StoredLine(QString s, QString w) : stored(std::move(s)), shown(std::move(w)) {}
  QString stored;
  QString shown;
};

[[noreturn]] void RaiseIndexError(int index) {
  throw EInvalidOperation(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void SetEditColors(QWidget* w, platform::TColor back, platform::TColor text) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, platform::ToQColor(back));
  pal.setColor(QPalette::Text, platform::ToQColor(text));
  w->setPalette(pal);
}

// Gives the entries of a combo box's drop-down list the combo's item height.
class ItemHeightDelegate : public QStyledItemDelegate {
 public:
  ItemHeightDelegate(const TComboBox* combo) : QStyledItemDelegate(const_cast<TComboBox*>(combo)), combo_(combo) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), combo_->ItemHeight());
  }

 private:
  const TComboBox* combo_;
};

}  // namespace

// ---- label --------------------------------------------------------------

TLabel::TLabel(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  AdjustBounds();
}

void TLabel::SetCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  AdjustBounds();
  update();
  accessible::NotifyNameChanged(this);
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  update();
}

void TLabel::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void TLabel::SetFontColor(platform::TColor color) {
  if (fontColor_ == color) return;
  fontColor_ = color;
  update();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize_ == autoSize) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

QSize TLabel::TextSize() const {
  const QFontMetrics fm = fontMetrics();
  return QSize(fm.horizontalAdvance(ShownCaption()), fm.height());
}

void TLabel::SetDisplayText(TDisplayText display) {
  display_ = std::move(display);
  AdjustBounds();
  update();
}

void TLabel::AdjustBounds() {
  if (autoSize_) resize(TextSize());
}

void TLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent_ && color_ != platform::clNone) p.fillRect(rect(), platform::ToQColor(color_));
  p.setFont(font());
  p.setPen(platform::ToQColor(isEnabled() ? fontColor_ : platform::clGrayText));
  p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ShownCaption());
}

void TLabel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = platform::PixelAt(event);
  Raise(OnMouseMove, event->modifiers(), pos.x(), pos.y());
}

void TLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QWidget::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(platform::PixelAt(event));
  if (event->button() == Qt::LeftButton) pressed_ = false;
  if (click) Raise(OnClick);
}

void TLabel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustBounds();
}

// ---- edit ---------------------------------------------------------------

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  SetEditColors(this, color_, fontColor_);
  connect(this, &QLineEdit::textChanged, this, [this] { Raise(OnChange); });
}

void TEdit::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  SetEditColors(this, color_, fontColor_);
}

void TEdit::SetFontColor(platform::TColor color) {
  if (fontColor_ == color) return;
  fontColor_ = color;
  SetEditColors(this, color_, fontColor_);
}

void TEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLineEdit::mousePressEvent(event);
}

void TEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(platform::PixelAt(event));
  if (event->button() == Qt::LeftButton) pressed_ = false;
  if (click) Raise(OnClick);
}

// ---- memo lines ---------------------------------------------------------

int TMemoLines::Count() const {
  const QTextDocument* doc = memo_->document();
  const int blocks = doc->blockCount();
  return doc->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

QString TMemoLines::Strings(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  return memo_->document()->findBlockByNumber(index).text();
}

int TMemoLines::Add(const QString& line) {
  const int index = Count();
  Insert(index, line);
  return index;
}

void TMemoLines::Insert(int index, const QString& line) {
  if (index < 0 || index > Count()) RaiseIndexError(index);
  QTextDocument* doc = memo_->document();
  QTextCursor cursor(doc);
  const QStringList stored = TMemo::ToLines(line).split(u'\n');
  const QStringList shown = memo_->ShownLines(stored);
  const QString text = shown.join(u'\n');
  if (index < doc->blockCount()) {
    // The line that was at `index` moves down; it keeps what it remembered.
    const QTextBlock moved = doc->findBlockByNumber(index);
    const auto* old = static_cast<const StoredLine*>(moved.userData());
    const QStringList movedStored{old ? old->stored : moved.text()}, movedShown{old ? old->shown : moved.text()};
    cursor.setPosition(moved.position());
    cursor.insertText(text + u'\n');
    memo_->RememberLines(index + static_cast<int>(stored.size()), movedStored, movedShown);
  } else {
    // After a last line without a line break: break it, then add.
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u'\n' + text);
  }
  memo_->RememberLines(index, stored, shown);
  memo_->setTextCursor(cursor);
  memo_->ensureCursorVisible();
}

void TMemoLines::Delete(int index) {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  QTextDocument* doc = memo_->document();
  const QTextBlock block = doc->findBlockByNumber(index);
  QTextCursor cursor(doc);
  cursor.setPosition(block.position());
  const QTextBlock next = block.next();
  if (next.isValid()) {
    cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
  } else {
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
}

void TMemoLines::Clear() { memo_->Clear(); }

QString TMemoLines::Text() const { return memo_->Text(); }

void TMemoLines::SetText(const QString& text) { memo_->SetText(text); }

// ---- memo ---------------------------------------------------------------

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), lines_(this) {
  setTabChangesFocus(!wantTabs_);
  SetScrollBars(ssNone);
  ApplyPalette();
  ApplyFrame();
  connect(this, &QPlainTextEdit::textChanged, this, [this] { Raise(OnChange); });
}

QString TMemo::ToLines(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\r', u'\n');
  return out;
}

QString TMemo::Text() const {
  QString text = toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

void TMemo::SetText(const QString& text) {
  SetHighlights({});
  const QStringList stored = ToLines(text).split(u'\n');
  const QStringList shown = ShownLines(stored);
  setPlainText(shown.join(u'\n'));
  RememberLines(0, stored, shown);
}

QStringList TMemo::ShownLines(const QStringList& stored) const {
  if (!display_) return stored;
  QStringList shown;
  shown.reserve(stored.size());
  for (const QString& line : stored) shown.append(display_(line));
  return shown;
}

void TMemo::RememberLines(int first, const QStringList& stored, const QStringList& shown) {
  // Without a display function every line shows as stored: nothing to remember.
  QTextBlock block = document()->findBlockByNumber(first);
  for (qsizetype i = 0; i < stored.size() && block.isValid(); ++i, block = block.next())
    block.setUserData(display_ ? new StoredLine(stored[i], shown[i]) : nullptr);
}

void TMemo::SetDisplayText(TDisplayText display) {
  display_ = std::move(display);
  const int scroll = verticalScrollBar()->value();
  const QTextCursor caret = textCursor();
  const int caretBlock = caret.blockNumber(), caretColumn = caret.positionInBlock();
  QTextCursor edit(document());
  edit.beginEditBlock();
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    const QString stored = StoredLineOf(block);
    const QString shown = ShownText(display_, stored);
    if (shown != block.text()) {
      edit.setPosition(block.position());
      edit.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      edit.insertText(shown);
    }
    block.setUserData(display_ ? new StoredLine(stored, shown) : nullptr);
  }
  edit.endEditBlock();
  const QTextBlock back = document()->findBlockByNumber(caretBlock);
  if (back.isValid()) {
    QTextCursor c(back);
    c.setPosition(back.position() + std::min(caretColumn, back.length() - 1));
    setTextCursor(c);
  }
  verticalScrollBar()->setValue(scroll);
}

QString TMemo::StoredLineOf(const QTextBlock& block) const {
  const auto* line = static_cast<const StoredLine*>(block.userData());
  return line && line->shown == block.text() ? line->stored : block.text();
}

QString TMemo::StoredText() const {
  QStringList lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) lines.append(StoredLineOf(block));
  return lines.join(QStringLiteral("\r\n"));
}

void TMemo::Clear() {
  SetHighlights({});
  clear();
}

void TMemo::SetHighlights(const QList<Highlight>& stretches, int current) {
  highlights_ = stretches;
  currentHighlight_ = current >= 0 && current < stretches.size() ? current : -1;
  // The current one in the highlight colours themselves, the others on a
  // tint of the highlight over the memo's own colour.
  const QColor mark = platform::ToQColor(highlightColor_);
  const QColor back = platform::ToQColor(color_);
  const QColor tint((mark.red() + 2 * back.red()) / 3, (mark.green() + 2 * back.green()) / 3,
                    (mark.blue() + 2 * back.blue()) / 3);
  QList<QTextEdit::ExtraSelection> selections;
  const int end = document()->characterCount() - 1;
  for (qsizetype i = 0; i < stretches.size(); ++i) {
    const Highlight& h = stretches[i];
    if (h.length <= 0 || h.start < 0 || h.start + h.length > end) continue;
    QTextEdit::ExtraSelection s;
    s.cursor = QTextCursor(document());
    s.cursor.setPosition(h.start);
    s.cursor.setPosition(h.start + h.length, QTextCursor::KeepAnchor);
    if (i == currentHighlight_) {
      s.format.setBackground(mark);
      s.format.setForeground(platform::ToQColor(highlightTextColor_));
    } else {
      s.format.setBackground(tint);
    }
    selections.append(s);
  }
  setExtraSelections(selections);
  // The caret goes to the current one, as a find does, which brings it into view.
  if (currentHighlight_ >= 0 && !selections.isEmpty()) {
    const Highlight& h = stretches[currentHighlight_];
    QTextCursor at(document());
    at.setPosition(std::min(h.start + h.length, end));
    setTextCursor(at);
    ensureCursorVisible();
  }
}

void TMemo::SetHighlightColors(platform::TColor mark, platform::TColor markText) {
  if (highlightColor_ == mark && highlightTextColor_ == markText) return;
  highlightColor_ = mark;
  highlightTextColor_ = markText;
  // Marks already shown change colour where they are: the caret and the view stay.
  if (!highlights_.isEmpty()) {
    const QTextCursor caret = textCursor();
    const int scroll = verticalScrollBar()->value();
    SetHighlights(QList<Highlight>(highlights_), currentHighlight_);
    setTextCursor(caret);
    verticalScrollBar()->setValue(scroll);
  }
}

void TMemo::SetWantTabs(bool wantTabs) {
  if (wantTabs_ == wantTabs) return;
  wantTabs_ = wantTabs;
  setTabChangesFocus(!wantTabs);
}

void TMemo::SetScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  const bool v = style == ssVertical || style == ssBoth;
  const bool h = style == ssHorizontal || style == ssBoth;
  setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetWordWrap(bool wrap) {
  if (wordWrap_ == wrap) return;
  wordWrap_ = wrap;
  setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  ApplyPalette();
}

void TMemo::SetFontColor(platform::TColor color) {
  if (fontColor_ == color) return;
  fontColor_ = color;
  ApplyPalette();
}

void TMemo::SetBorderStyle(TEditBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  ApplyFrame();
}

void TMemo::SetCtl3D(bool ctl3D) {
  if (ctl3D_ == ctl3D) return;
  ctl3D_ = ctl3D;
  ApplyFrame();
}

void TMemo::ApplyPalette() {
  SetEditColors(this, color_, fontColor_);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, platform::ToQColor(platform::clBtnShadow));
  setPalette(pal);
}

void TMemo::ApplyFrame() {
  if (borderStyle_ == bsEditNone) {
    setFrameStyle(QFrame::NoFrame);
  } else if (ctl3D_) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  } else {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
  }
}

void TMemo::ScrollToTop() { verticalScrollBar()->setValue(verticalScrollBar()->minimum()); }

// ---- combo box ----------------------------------------------------------

int TComboItems::Count() const { return combo_->count(); }

QString TComboItems::Strings(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  return combo_->itemText(index);
}

int TComboItems::Add(const QString& text) {
  // Adding entries never selects one, whatever Qt does for a first entry.
  const bool none = combo_->currentIndex() < 0;
  const QString shown = combo_->currentText();
  combo_->addItem(text);
  if (none && combo_->currentIndex() >= 0) {
    combo_->setCurrentIndex(-1);
    if (combo_->isEditable()) combo_->setEditText(shown);
  }
  return Count() - 1;
}

void TComboItems::Clear() {
  combo_->clear();
  combo_->typed_ = false;
}

int TComboItems::IndexOf(const QString& text) const { return combo_->findText(text, Qt::MatchFixedString); }

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent), items_(this) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setItemDelegate(new ItemHeightDelegate(this));
  connect(this, &QComboBox::activated, this, [this] {
    typed_ = false;
    Raise(OnChange);
  });
  ConnectEdit();
}

void TComboBox::ConnectEdit() {
  // textEdited comes from the reader's typing only, never from code.
  if (QLineEdit* edit = lineEdit()) {
    connect(edit, &QLineEdit::textEdited, this, [this] {
      typed_ = true;
      Raise(OnChange);
    });
  }
}

int TComboBox::ItemIndex() const { return typed_ ? -1 : currentIndex(); }

void TComboBox::SetItemIndex(int index) {
  typed_ = false;
  setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void TComboBox::SetText(const QString& text) {
  if (!isEditable()) {
    SetItemIndex(findText(text, Qt::MatchFixedString));
    return;
  }
  setEditText(text);
  typed_ = currentIndex() < 0 || itemText(currentIndex()) != text;
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style_ == style) return;
  style_ = style;
  const int index = ItemIndex();
  setEditable(style == csDropDown);
  if (style == csDropDown) {
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    ConnectEdit();
  }
  SetItemIndex(index);
}

void TComboBox::SetItemHeight(int height) {
  if (itemHeight_ == height || height <= 0) return;
  itemHeight_ = height;
  view()->doItemsLayout();
}

// ---- button and check box -----------------------------------------------

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TButton::Click() { Raise(OnClick); }

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::clicked, this, [this] { Raise(OnClick); });
}

void TCheckBox::SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }

TCheckBox::TCheckBoxState TCheckBox::State() const {
  switch (checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (State() == state) return;
  setCheckState(state == cbChecked ? Qt::Checked : state == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  Raise(OnClick);
}

}  // namespace toolkit
