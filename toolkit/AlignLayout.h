#pragma once
// The toolkit's alignment rules: inside the parent's client area, controls
// aligned top, bottom, left and right take their place in that order, each
// group in creation order, shrinking the free area; a client-aligned control
// fills what is left. Controls aligned none keep their absolute bounds.
#include <QLayout>
#include <QList>

namespace toolkit {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class AlignLayout : public QLayout {
  Q_OBJECT

 public:
  explicit AlignLayout(QWidget* parent);
  ~AlignLayout() override;

  // The layout of `parent`, created on first use.
  static AlignLayout* Of(QWidget* parent);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  QList<QLayoutItem*> items_;
};

// Aligns a control within its parent (which must be set) and re-lays the parent out.
void SetAlign(QWidget* control, TAlign align);
TAlign Align(const QWidget* control);
// Absolute bounds (Left, Top, Width, Height) of a control aligned none.
void SetBounds(QWidget* control, int left, int top, int width, int height);

// The pure alignment step: places `sizes` (current bounds) with their aligns
// inside `client`, returning the new bounds, in the order given.
struct AlignEntry {
  TAlign align;
  QRect bounds;
  bool visible = true;
};
QList<QRect> ArrangeAligned(const QRect& client, const QList<AlignEntry>& entries);

}  // namespace toolkit
