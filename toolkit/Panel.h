#pragma once
// A panel: outer and inner bevels, a border width, an optional single border
// (a sunken client edge), a caption with horizontal alignment, colour and font.
// Its children are aligned inside the area within its borders and bevels.
#include <QWidget>

#include "platform/Color.h"
#include "toolkit/DisplayText.h"

namespace toolkit {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNoBorder, bsSingleBorder };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TPanel(QWidget* parent = nullptr);

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor v);
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }
  // Text colour of the caption.
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);
  // Where the caption must end (x in the panel, exclusive), so that it stays
  // clear of a control on its line; a caption that does not fit is cut with an
  // ellipsis. -1: the caption may run to the panel's inner edge.
  int CaptionRight() const { return captionRight_; }
  void SetCaptionRight(int v);
  // The rectangle the caption is painted in.
  QRect CaptionArea() const;
  // The caption is painted through `display`; Caption() stays as set.
  void SetDisplayText(TDisplayText display);
  const TDisplayText& DisplayText() const { return display_; }
  // The caption as painted: through the display text, whole or cut with an
  // ellipsis to end before CaptionRight.
  QString ShownCaption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void UpdateMargins();

  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNoBorder;
  QString caption_;
  TAlignment alignment_ = taCenter;
  platform::TColor color_ = platform::clBtnFace;
  platform::TColor fontColor_ = platform::clWindowText;
  int captionRight_ = -1;
  int tag_ = 0;
  TDisplayText display_;
};

}  // namespace toolkit
