#pragma once
// The plain controls of the program's windows: label, one-line edit, memo,
// combo box, push button and check box. Their handlers run through the
// toolkit's dispatcher, so an error shows the default error box.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "platform/Color.h"
#include "toolkit/DisplayText.h"

namespace toolkit {

// A caption drawn on its parent. A transparent label paints no background; an
// opaque one fills its Color (clNone: the parent's look shows through). With
// AutoSize the label takes the size of its text. The hint text is kept as the
// widget's tool tip; the application's hint manager shows it.
class TLabel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

 public:
  explicit TLabel(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor color);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& hint) { setToolTip(hint); }
  // The size the shown caption needs in the label's font.
  QSize TextSize() const;
  // The caption is painted (and sized) through `display`; Caption() stays as set.
  void SetDisplayText(TDisplayText display);
  QString ShownCaption() const { return ShownText(display_, caption_); }

  std::function<void(Qt::KeyboardModifiers shift, int x, int y)> OnMouseMove;
  std::function<void()> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void AdjustBounds();

  QString caption_;
  bool transparent_ = false;
  platform::TColor color_ = platform::clNone;
  platform::TColor fontColor_ = platform::clWindowText;
  bool autoSize_ = true;
  int tag_ = 0;
  bool pressed_ = false;
  TDisplayText display_;
};

// A one-line edit box. OnClick follows a left-button click inside the box.
class TEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TEdit(QWidget* parent = nullptr);

  QString Text() const { return text(); }
  void SetText(const QString& text) { setText(text); }
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor color);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  std::function<void()> OnClick;
  // After every change of the text, typed or set.
  std::function<void()> OnChange;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  platform::TColor color_ = platform::clWindow;
  platform::TColor fontColor_ = platform::clWindowText;
  int tag_ = 0;
  bool pressed_ = false;
};

class TMemo;

// The memo's text seen as lines. Text() joins the lines with CR LF; a text
// ending in a line break shows no extra empty line in Count(). Adding a line
// puts it after the last one, ends it with a line break, and brings the caret
// (and the view) to the end of what was added.
class TMemoLines {
 public:
  int Count() const;
  QString Strings(int index) const;
  QString operator[](int index) const { return Strings(index); }
  int Add(const QString& line);
  void Insert(int index, const QString& line);
  void Delete(int index);
  void Clear();
  QString Text() const;
  void SetText(const QString& text);

 private:
  friend class TMemo;
  explicit TMemoLines(TMemo* memo) : memo_(memo) {}
  TMemo* memo_;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditBorderStyle { bsEditNone, bsEditSingle };

// A multi-line edit box. Line breaks of text handed to it (CR LF, LF or CR)
// become the memo's lines; its text reads back with CR LF. Tab and Shift+Tab
// move the focus to the next or previous control unless WantTabs is set; then
// Tab types a tab character.
class TMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(bool WantTabs READ WantTabs WRITE SetWantTabs)

 public:
  explicit TMemo(QWidget* parent = nullptr);

  TMemoLines& Lines() { return lines_; }
  const TMemoLines& Lines() const { return lines_; }
  QString Text() const;
  void SetText(const QString& text);
  void Clear();
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool wantTabs);
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor color);
  // bsEditSingle draws a frame: sunken with the 3-D look, a flat line without it.
  TEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TEditBorderStyle style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool ctl3D);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  // Scrolls the view back so that the first line shows (the caret stays).
  void ScrollToTop();
  // Lines handed to the memo by code (SetText, Lines) are shown through
  // `display`, one line at a time; the memo remembers each such line as it was
  // handed, so that another display function shows it anew. Lines the reader
  // edited since are the reader's own and are passed through as they stand.
  void SetDisplayText(TDisplayText display);
  // The line a block holds as code handed it, while the block still shows it
  // as handed; otherwise (the reader's own line) the block's text.
  QString StoredLineOf(const QTextBlock& block) const;
  // The text as code handed it, line by line, the lines joined with CR LF.
  QString StoredText() const;

  // Marks stretches of the shown text (start and length in UTF-16 units of
  // the text as the memo shows it, its line breaks counting one each) in the
  // highlight colours, the one at index `current` (if any) stronger, with the
  // caret after it and in view. The text itself is not changed; an empty list
  // takes the marks away. Giving the memo a new text takes them away too.
  struct Highlight {
    int start = 0;
    int length = 0;
  };
  void SetHighlights(const QList<Highlight>& stretches, int current = -1);
  const QList<Highlight>& Highlights() const { return highlights_; }
  int CurrentHighlight() const { return currentHighlight_; }
  // The colours of the marks (the system's highlight colours unless set);
  // marks already shown take them at once.
  void SetHighlightColors(platform::TColor mark, platform::TColor markText);

  // Normalises CR LF, LF and lone CR to the memo's line breaks.
  static QString ToLines(const QString& text);

  std::function<void()> OnChange;

 private:
  friend class TMemoLines;
  void ApplyPalette();
  void ApplyFrame();
  // The shown form of text handed by code, line by line.
  QStringList ShownLines(const QStringList& stored) const;
  // Records the stored and shown forms of the lines from block `first` on.
  void RememberLines(int first, const QStringList& stored, const QStringList& shown);

  TMemoLines lines_;
  TDisplayText display_;
  TScrollStyle scrollBars_ = ssNone;
  QList<Highlight> highlights_;
  int currentHighlight_ = -1;
  platform::TColor highlightColor_ = platform::clHighlight;
  platform::TColor highlightTextColor_ = platform::clHighlightText;
  bool wordWrap_ = true;
  bool wantTabs_ = false;
  platform::TColor color_ = platform::clWindow;
  platform::TColor fontColor_ = platform::clWindowText;
  TEditBorderStyle borderStyle_ = bsEditSingle;
  bool ctl3D_ = true;
  int tag_ = 0;
};

class TComboBox;

// The entries of a combo box.
class TComboItems {
 public:
  int Count() const;
  QString Strings(int index) const;
  QString operator[](int index) const { return Strings(index); }
  int Add(const QString& text);
  void Clear();
  int IndexOf(const QString& text) const;

 private:
  friend class TComboBox;
  explicit TComboItems(TComboBox* combo) : combo_(combo) {}
  TComboBox* combo_;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// A drop-down list; in the csDropDown style its text can also be typed. Typed
// text leaves no entry selected (ItemIndex -1) until an entry is chosen again.
class TComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TComboBox(QWidget* parent = nullptr);

  TComboItems& Items() { return items_; }
  const TComboItems& Items() const { return items_; }
  int ItemIndex() const;
  // Selects an entry and shows its text; -1 selects none and empties the text.
  void SetItemIndex(int index);
  QString Text() const { return currentText(); }
  void SetText(const QString& text);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  // Height of the entries in the drop-down list, in pixels.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // After the reader typed or chose an entry.
  std::function<void()> OnChange;

 private:
  friend class TComboItems;
  void ConnectEdit();

  TComboItems items_;
  TComboBoxStyle style_ = csDropDown;
  int itemHeight_ = 16;
  int tag_ = 0;
  bool typed_ = false;
};

// A push button; Click() runs its OnClick as a mouse click would.
class TButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TButton(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  void Click();

  std::function<void()> OnClick;

 private:
  int tag_ = 0;
};

// A check box. OnClick runs when the reader toggles it and also when code
// changes Checked or State, as the toolkit's check boxes always did. A grayed
// State shows the box neither checked nor clear.
class TCheckBox : public QCheckBox {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
  Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
  Q_ENUM(TCheckBoxState)

  explicit TCheckBox(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool checked);
  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  std::function<void()> OnClick;

 private:
  int tag_ = 0;
};

}  // namespace toolkit
