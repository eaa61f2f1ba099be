#pragma once
// A status bar: panels of given widths, each a sunken box with its text; the
// last panel reaches to the right end. A size grip sits at the right corner.
#include <QList>
#include <QWidget>

#include "toolkit/Panel.h"

namespace toolkit {

struct TStatusPanel {
  int Width = 50;
  QString Text;
  TAlignment Alignment = taLeftJustify;
};

class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit TStatusBar(QWidget* parent = nullptr);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& AddPanel(int width, TAlignment alignment = taLeftJustify);
  const TStatusPanel& Panel(int index) const { return panels_.at(index); }
  void SetPanelText(int index, const QString& text);
  // The rectangle of a panel within the bar (right and bottom exclusive).
  QRect PanelRect(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<TStatusPanel> panels_;
};

}  // namespace toolkit
