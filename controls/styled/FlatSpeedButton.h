#pragma once
// A flat push button that never takes the focus: optional background fill and
// one-colour frame, one cell of a glyph strip and a one-line caption, chosen by
// its state (up, disabled, pressed, latched) and by whether the pointer is over
// it (hot). Works as a command button, a toggle in an exclusive group, a popup
// menu opener and a button that ends a modal form with a result.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "controls/styled/FlatUtils.h"
#include "toolkit/DisplayText.h"

#include <QMenu>
class QShortcut;

namespace styled {

class TFlatSpeedButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(styled::TTransparentMode Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(bool TransBorder READ TransBorder WRITE SetTransBorder)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
  Q_PROPERTY(int ColorFocused READ ColorFocused WRITE SetColorFocused)
  Q_PROPERTY(int ColorDown READ ColorDown WRITE SetColorDown)
  Q_PROPERTY(int ColorBorder READ ColorBorder WRITE SetColorBorder)
  Q_PROPERTY(int ColorShadow READ ColorShadow WRITE SetColorShadow)
  Q_PROPERTY(int ColorFlat READ ColorFlat WRITE SetColorFlat)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(bool Down READ Down WRITE SetDown)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(bool FoisChange READ FoisChange WRITE SetFoisChange)
  Q_PROPERTY(int FoisColor READ FoisColor WRITE SetFoisColor)
  Q_PROPERTY(int FoisStyle READ FoisStyle WRITE SetFoisStyle)
  Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
  Q_PROPERTY(styled::TButtonLayout Layout READ Layout WRITE SetLayout)
  Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
  Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
  Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
  Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TFlatSpeedButton(QWidget* parent = nullptr);
  ~TFlatSpeedButton() override;

  TTransparentMode Transparent() const { return transparent_; }
  void SetTransparent(TTransparentMode v);
  bool TransBorder() const { return transBorder_; }
  void SetTransBorder(bool v);
  // Always the flat controls' version text; written values are kept and never read.
  QString Version() const { return QString::fromLatin1(kFlatVersion); }
  void SetVersion(const QString& v) { version_ = v; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool Down() const { return down_; }
  void SetDown(bool v);

  // The six colours share one indexed setter: 0 ColorFocused, 1 ColorDown,
  // 2 ColorBorder, 3 ColorShadow, 4 ColorFlat, 5 FoisColor.
  void SetColor(int index, platform::TColor v);
  platform::TColor ColorFocused() const { return colors_[0]; }
  void SetColorFocused(platform::TColor v) { SetColor(0, v); }
  platform::TColor ColorDown() const { return colors_[1]; }
  void SetColorDown(platform::TColor v) { SetColor(1, v); }
  platform::TColor ColorBorder() const { return colors_[2]; }
  void SetColorBorder(platform::TColor v) { SetColor(2, v); }
  platform::TColor ColorShadow() const { return colors_[3]; }
  void SetColorShadow(platform::TColor v) { SetColor(3, v); }
  platform::TColor ColorFlat() const { return colors_[4]; }
  void SetColorFlat(platform::TColor v) { SetColor(4, v); }
  platform::TColor FoisColor() const { return colors_[5]; }
  void SetFoisColor(platform::TColor v) { SetColor(5, v); }

  QString Caption() const { return caption_; }
  void SetCaption(const QString& v);
  // The caption is painted through `display` (the stored caption is kept, and
  // its accelerator is the stored one's).
  void SetDisplayText(toolkit::TDisplayText display);
  QString ShownCaption() const { return toolkit::ShownText(display_, caption_); }
  // The caption colour of the button's font (QFont holds no colour).
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);
  bool FoisChange() const { return foisChange_; }
  void SetFoisChange(bool v);
  TFontStyles FoisStyle() const { return foisStyle_; }
  void SetFoisStyle(TFontStyles v);
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  // The hint text is the widget's tool tip, which the hint manager shows.
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& v) { setToolTip(v); }
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  // The colour follows the parent's ("Color" property, else its window colour).
  platform::TColor Color() const;

  TFlatButtonState State() const { return state_; }
  bool Hot() const { return hot_; }
  bool Tracking() const { return tracking_; }
  // Where the glyph cell and the caption were last drawn.
  QPoint GlyphOrigin() const { return glyphOrigin_; }
  QRect CaptionRect() const { return captionRect_; }

  // The click: the form's modal result, the popup menu, then OnClick.
  virtual void Click();
  // An accelerator key: clicks an enabled button whose caption marks `c`; true when handled.
  virtual bool DialogChar(QChar c);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
  std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A speed button is reached by Tab alone (a click never takes the focus
  // from another control); focused, it shows a dotted mark, and Space, Enter
  // and Return press it as a click does.
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  // Runs the painting steps on `p`, whose origin is the client's top-left corner.
  void PaintButton(QPainter& p);
  // Step 7 (background) and 8 (frame); the flat button replaces them.
  virtual void PaintBackground(QPainter& p);
  virtual void PaintFrame(QPainter& p);
  // Between frame and glyph; the flat button draws its focus rectangle here.
  virtual void PaintFocus(QPainter&) {}

  // The enter and leave steps.
  void EnterStep();
  void LeaveStep();
  // Hot follows whether the topmost control under the pointer is this button.
  void TrackingUpdate();
  bool PointerOver() const;
  // Notifies the other buttons of the parent that this one went down.
  void GroupNotice();
  // A sibling of group `group` went down.
  void ButtonPressed(int group, TFlatSpeedButton* sender);
  // Brings the state in line with the enabled state: a disabled button is
  // fbsDisabled and tracks no press; one enabled again leaves fbsDisabled for
  // fbsExclusive when latched in a group, fbsUp otherwise. Runs whenever either
  // changes, so that painting only reads the state.
  void SettleState();
  // The containing form takes the modal result; then the popup menu.
  void ModalResultAndPopup();
  static bool Inside(const QWidget* w, QPoint pos);

  TFlatButtonState state_ = fbsUp;
  bool hot_ = false;
  bool tracking_ = false;

 private:
  void UpdateShortcut();

  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  // The focus came by Tab or Shift+Tab: the focus mark shows.
  bool keyboardFocus_ = false;
  QImage glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphTop;
  int margin_ = -1;
  int spacing_ = 4;
  TTransparentMode transparent_ = tmNone;
  bool transBorder_ = false;
  platform::TColor colors_[6] = {platform::RGB(153, 190, 251), platform::RGB(217, 214, 197), platform::RGB(136, 165, 97),
                                 platform::RGB(0, 198, 198), platform::RGB(235, 234, 225), platform::RGB(0, 0, 225)};
  bool foisChange_ = true;
  TFontStyles foisStyle_ = fsBold;
  platform::TColor fontColor_ = platform::clWindowText;
  int modalResult_ = 0;
  QString caption_;
  toolkit::TDisplayText display_;
  QString version_;
  QPointer<QMenu> popupMenu_;
  bool showHint_ = true;
  int tag_ = 0;
  QPoint glyphOrigin_;
  QRect captionRect_;
  QShortcut* shortcut_ = nullptr;
};

}  // namespace styled
