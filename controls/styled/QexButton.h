#pragma once
// A push button with eight frame styles, a normal and a hot glyph, a caption
// beside, above or below the glyph, hot and pressed looks shown the moment the
// pointer enters, presses, releases and leaves, a hand cursor, an optional hover
// sound, auto-repeat while held, an optional popup menu with an arrow mark, and
// eleven predefined kinds that bring their own pictures, captions and results.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/Color.h"

#include <QMenu>
class QShortcut;

namespace styled {

struct QexLayout;

class TQexButton : public QWidget {
  Q_OBJECT

 public:
  enum TStyle { stFlat, stDefault, stNone, stRaised, stFlatDot, stRaisedDot, stFrameLowered, stFrameRaised };
  Q_ENUM(TStyle)
  enum TKind { skCustom, skOK, skCancel, skHelp, skYes, skNo, skClose, skAbort, skRetry, skIgnore, skAll, skSilly };
  Q_ENUM(TKind)
  // Note the order, which differs from the flat controls' layout type.
  enum TLayout { blGlyphLeft, blGlyphBottom, blGlyphRight, blGlyphTop };
  Q_ENUM(TLayout)
  enum TColorMarginDefault { cmDefault, cmCustom };
  Q_ENUM(TColorMarginDefault)
  enum TPositionPopup { puDown, puLeft, puRight };
  Q_ENUM(TPositionPopup)
  // What the button shows: at rest, with the pointer over it, held down.
  enum TLook { lkNormal, lkHot, lkPressed };

 private:
  Q_PROPERTY(TStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
  Q_PROPERTY(TKind ButtonKind READ ButtonKind WRITE SetButtonKind)
  Q_PROPERTY(TLayout Layout READ Layout WRITE SetLayout)
  Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
  Q_PROPERTY(int SpacingLayout READ SpacingLayout WRITE SetSpacingLayout)
  Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
  Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
  Q_PROPERTY(QImage GlyphHot READ GlyphHot WRITE SetGlyphHot)
  Q_PROPERTY(int NumGlyphsHot READ NumGlyphsHot WRITE SetNumGlyphsHot)
  Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
  Q_PROPERTY(int HotTrackColor READ HotTrackColor WRITE SetHotTrackColor)
  Q_PROPERTY(bool PlayMusic READ PlayMusic WRITE SetPlayMusic)
  Q_PROPERTY(bool CursorHandCustom READ CursorHandCustom WRITE SetCursorHandCustom)
  Q_PROPERTY(bool ShowFocused READ ShowFocused WRITE SetShowFocused)
  Q_PROPERTY(bool RepeatAction READ RepeatAction WRITE SetRepeatAction)
  Q_PROPERTY(int RepeatStartInterval READ RepeatStartInterval WRITE SetRepeatStartInterval)
  Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
  Q_PROPERTY(bool PopupMenuMark READ PopupMenuMark WRITE SetPopupMenuMark)
  Q_PROPERTY(int PopupMenuMarkGap READ PopupMenuMarkGap WRITE SetPopupMenuMarkGap)
  Q_PROPERTY(TPositionPopup PositionPopup READ PositionPopup WRITE SetPositionPopup)
  Q_PROPERTY(TColorMarginDefault ColorMarginStyle READ ColorMarginStyle WRITE SetColorMarginStyle)
  Q_PROPERTY(int ColorMarginLeftTop READ ColorMarginLeftTop WRITE SetColorMarginLeftTop)
  Q_PROPERTY(int ColorMarginRightBottom READ ColorMarginRightBottom WRITE SetColorMarginRightBottom)
  Q_PROPERTY(bool Default READ Default WRITE SetDefault)
  Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
  Q_PROPERTY(QString HintSecondLine READ HintSecondLine WRITE SetHintSecondLine)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TQexButton(QWidget* parent = nullptr);
  ~TQexButton() override;

  TStyle ButtonStyle() const { return style_; }
  void SetButtonStyle(TStyle v);
  TKind ButtonKind() const { return kind_; }
  void SetButtonKind(TKind v);
  TLayout Layout() const { return layout_; }
  void SetLayout(TLayout v);
  int Spacing() const { return spacing_; }  // 1..5
  void SetSpacing(int v);
  int SpacingLayout() const { return spacingLayout_; }  // -5..5
  void SetSpacingLayout(int v);
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& v);
  int NumGlyphs() const { return numGlyphs_; }  // 1..4
  void SetNumGlyphs(int v);
  const QImage& GlyphHot() const { return glyphHot_; }
  void SetGlyphHot(const QImage& v);
  int NumGlyphsHot() const { return numGlyphsHot_; }  // 1..4
  void SetNumGlyphsHot(int v);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v) { hotTrack_ = v; }
  platform::TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(platform::TColor v) { hotTrackColor_ = v; }
  bool PlayMusic() const { return playMusic_; }
  void SetPlayMusic(bool v) { playMusic_ = v; }
  bool CursorHandCustom() const { return cursorHandCustom_; }
  void SetCursorHandCustom(bool v) { cursorHandCustom_ = v; }
  bool ShowFocused() const { return showFocused_; }
  void SetShowFocused(bool v) { showFocused_ = v; }
  bool RepeatAction() const { return repeatAction_; }
  void SetRepeatAction(bool v) { repeatAction_ = v; }
  int RepeatStartInterval() const { return startTimer_.interval(); }
  void SetRepeatStartInterval(int ms) { startTimer_.setInterval(ms); }
  int RepeatInterval() const { return repeatTimer_.interval(); }
  void SetRepeatInterval(int ms) { repeatTimer_.setInterval(ms); }
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu);
  bool PopupMenuMark() const { return popupMenuMark_; }
  void SetPopupMenuMark(bool v);
  int PopupMenuMarkGap() const { return markGap_; }  // 1..5
  void SetPopupMenuMarkGap(int v);
  TPositionPopup PositionPopup() const { return positionPopup_; }
  void SetPositionPopup(TPositionPopup v) { positionPopup_ = v; }
  TColorMarginDefault ColorMarginStyle() const { return marginStyle_; }
  void SetColorMarginStyle(TColorMarginDefault v);
  // One indexed setter: 1 ColorMarginLeftTop, 2 ColorMarginRightBottom.
  void SetColorMargin(int index, platform::TColor v);
  platform::TColor ColorMarginLeftTop() const { return marginLeftTop_; }
  void SetColorMarginLeftTop(platform::TColor v) { SetColorMargin(1, v); }
  platform::TColor ColorMarginRightBottom() const { return marginRightBottom_; }
  void SetColorMarginRightBottom(platform::TColor v) { SetColorMargin(2, v); }
  // Enter clicks a Default button while no glyph button has the focus; Escape clicks a Cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v);
  QString HintSecondLine() const { return hintSecondLine_; }
  void SetHintSecondLine(const QString& v);
  // The hint text is the widget's tool tip, which the hint manager shows.
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& v) { setToolTip(v); }
  QString Version() const;
  void SetVersion(const QString&) {}
  QString Caption() const { return caption_; }
  void SetCaption(const QString& v);
  // The face colour: the parent's while ParentColor is on.
  platform::TColor Color() const;
  void SetColor(platform::TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool v) { setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus); }
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  // OnClick, the kind's action, then the popup menu.
  virtual void Click();

  // Geometry of the last drawing.
  QRect FaceRect() const { return faceRect_; }
  QRect GlyphRect() const { return glyphRect_; }
  QRect CaptionRect() const { return captionRect_; }
  QRect MarkRect() const { return markRect_; }
  TLook Look() const { return look_; }
  int PressedOffset() const { return pressed_; }
  // True while the caption shows its normal colour (cleared while hot).
  bool HotCaptionFlag() const { return hotCaptionFlag_; }
  bool Active() const { return active_; }
  bool StartTimerActive() const { return startTimer_.isActive(); }
  bool RepeatTimerActive() const { return repeatTimer_.isActive(); }

  // The resources of the glyph button (names match without regard to case).
  static QImage ResourcePicture(const QString& name);
  static QCursor HandCursor();
  static QByteArray HoverSound();

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void()> OnMouseOver;
  std::function<void()> OnMouseOut;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
  std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;
  // The help kind asks for help on the first non-zero HelpContext found going up.
  std::function<void(int helpContext)> OnHelp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Reached by Tab (a click does not take the focus); focused, Space presses
  // the button, as Enter and Return do through the window's shortcuts.
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool Framed() const { return style_ == stDefault || style_ == stFrameLowered || style_ == stFrameRaised; }
  void StyleColors(platform::TColor* topLeft, platform::TColor* bottomRight) const;
  void ApplyStyle();
  void ShowLook(TLook look);
  void PointerEnters();
  void PointerLeaves();
  void PopupSequence();
  void KindAction();
  void StopTimers();
  void FocusChanged(QWidget* now);
  void UpdateShortcuts();
  bool CanTakeFocus() const { return isEnabled() && isVisible(); }
  // The glyph cell a look shows, and whether it is drawn embossed (disabled, one cell).
  struct GlyphCell {
    QImage image;
    bool embossed = false;
  };
  GlyphCell CellFor(TLook look) const;
  // Where face, glyph cell, caption and mark go for a look, before anything is painted.
  QexLayout LayOut(TLook look, const QImage& cell, const QImage& mark) const;
  // Lays the look out, then paints it: face, glyph and mark, focus rectangle, caption.
  void PaintLook(QPainter& p);
  // The face with its frame and, for the framed styles, the inner edge.
  void PaintFace(QPainter& p, TLook look, const QColor& brush);
  // A glyph cell or the mark, its key colour showing the face, or embossed.
  static void DrawPicture(QPainter& p, QPoint at, const QImage& picture, bool embossed, const QColor& face);
  void PaintCaption(QPainter& p);

  TStyle style_ = stFlat;
  TKind kind_ = skCustom;
  TLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
  int spacingLayout_ = 3;
  QImage glyph_;
  int numGlyphs_ = 2;
  QImage glyphHot_;
  int numGlyphsHot_ = 2;
  bool hotTrack_ = true;
  platform::TColor hotTrackColor_ = platform::RGB(0, 0, 255);
  bool playMusic_ = false;
  bool cursorHandCustom_ = true;
  bool showFocused_ = true;
  bool repeatAction_ = false;
  QPointer<QMenu> popupMenu_;
  bool popupMenuMark_ = false;
  int markGap_ = 5;
  TPositionPopup positionPopup_ = puDown;
  TColorMarginDefault marginStyle_ = cmDefault;
  platform::TColor marginLeftTop_ = platform::clBtnHighlight;
  platform::TColor marginRightBottom_ = platform::clBtnShadow;
  bool default_ = false;
  bool cancel_ = false;
  QString hintSecondLine_;
  QString caption_;
  platform::TColor color_ = platform::clWindow;
  bool parentColor_ = true;
  platform::TColor fontColor_ = platform::clWindowText;
  int helpContext_ = 0;
  int tag_ = 0;

  // Working frame colours and widths.
  platform::TColor workTopLeft_ = platform::clBtnHighlight;
  platform::TColor workBottomRight_ = platform::clBtnShadow;
  int normalWidth_ = 0;
  int hotWidth_ = 1;
  bool dotted_ = false;
  int pressed_ = 0;
  bool hotCaptionFlag_ = true;
  bool left_ = false;
  bool inside_ = false;
  bool pressedInside_ = false;
  bool focused_ = false;
  // The focus came by Tab or Shift+Tab: a flat button shows the focus mark.
  bool keyboardFocus_ = false;
  // Follows the application's focus changes (FocusChanged).
  QMetaObject::Connection focusWatch_;
  bool active_ = false;
  TLook look_ = lkNormal;
  QRect faceRect_, glyphRect_, captionRect_, markRect_;
  QTimer startTimer_;
  QTimer repeatTimer_;
  QShortcut* enterKey_ = nullptr;
  QShortcut* returnKey_ = nullptr;
  QShortcut* escapeKey_ = nullptr;
  QShortcut* accelKey_ = nullptr;
};

}  // namespace styled
