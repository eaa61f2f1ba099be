#pragma once
// A status bar: panels of given widths, each a box with its bevel and text;
// the last panel reaches to the right end. With SimplePanel the bar shows one
// text across its whole width instead. A size grip sits at the right corner
// unless switched off.
#include <QList>
#include <QWidget>

#include "toolkit/Panel.h"

namespace toolkit {

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

struct TStatusPanel {
  int Width = 50;
  QString Text;
  TAlignment Alignment = taLeftJustify;
  TStatusPanelBevel Bevel = pbLowered;
};

class TStatusBar : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool SimplePanel READ SimplePanel WRITE SetSimplePanel)
  Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)

 public:
  explicit TStatusBar(QWidget* parent = nullptr);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& AddPanel(int width, TAlignment alignment = taLeftJustify);
  const TStatusPanel& Panel(int index) const { return panels_.at(index); }
  void SetPanelText(int index, const QString& text);
  void SetPanelBevel(int index, TStatusPanelBevel bevel);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  QString SimpleText() const { return simpleText_; }
  void SetSimpleText(const QString& text);
  // The size grip (not a published property: the skin's status-bar skinner
  // switches it off while it paints the bar and gives it back).
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool grip);
  // The rectangle of a panel within the bar (right and bottom exclusive).
  QRect PanelRect(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<TStatusPanel> panels_;
  bool simplePanel_ = false;
  QString simpleText_;
  bool sizeGrip_ = true;
};

}  // namespace toolkit
