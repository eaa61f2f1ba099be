#pragma once
// One group of a group bar: its caption and caption layout, and the page it
// holds (normally one vertical list). Only the bar places groups.
#include <QWidget>

#include "controls/outbar/OutCommon.h"
#include "platform/Color.h"
#include "toolkit/Panel.h"

namespace outbar {

class TCustomDCGroupBar;
class TDCOutBarVertListView;

class TDCOutBarGroup : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int CaptionAlignment READ CaptionAlignmentValue WRITE SetCaptionAlignmentValue)
  Q_PROPERTY(bool CaptionAutoSize READ CaptionAutoSize WRITE SetCaptionAutoSize)
  Q_PROPERTY(int CaptionHeight READ CaptionHeight WRITE SetCaptionHeight)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex STORED false)
  Q_PROPERTY(int Color READ Color WRITE SetColor)

 public:
  explicit TDCOutBarGroup(QWidget* parent = nullptr);
  ~TDCOutBarGroup() override;

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  toolkit::TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(toolkit::TAlignment v);
  bool CaptionAutoSize() const { return captionAutoSize_; }
  void SetCaptionAutoSize(bool v);
  int CaptionHeight() const { return captionHeight_; }
  void SetCaptionHeight(int v);
  int GroupIndex() const;
  void SetGroupIndex(int v);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor v);
  // Caption colour of the header button.
  platform::TColor FontColor() const { return fontColor_; }
  void SetFontColor(platform::TColor v);
  QString Hint() const { return hint_; }
  void SetHint(const QString& v) { hint_ = v; }

  // The bar the group belongs to (none until it is added).
  TCustomDCGroupBar* Bar() const { return bar_; }
  // Attaches the group to a bar: it leaves its previous bar and is appended.
  void SetBar(TCustomDCGroupBar* bar);
  // The group's first vertical list, if any.
  TDCOutBarVertListView* ListView() const;
  // Character height of the caption font in pixels.
  int FontHeight() const;

  virtual void CaptionChanged();
  virtual bool CanChangeCaption(const QString& newCaption);

  int CaptionAlignmentValue() const { return captionAlignment_; }
  void SetCaptionAlignmentValue(int v) { SetCaptionAlignment(static_cast<toolkit::TAlignment>(v)); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  friend class TCustomDCGroupBar;

  TCustomDCGroupBar* bar_ = nullptr;
  QString caption_;
  toolkit::TAlignment captionAlignment_ = toolkit::taCenter;
  bool captionAutoSize_ = true;
  int captionHeight_ = 20;
  platform::TColor color_ = platform::clBtnFace;
  platform::TColor fontColor_ = platform::clWindowText;
  QString hint_;
};

}  // namespace outbar
