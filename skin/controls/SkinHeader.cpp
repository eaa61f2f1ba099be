#include "skin/controls/SkinHeader.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

#include "skin/controls/HeaderPaint.h"
#include "skin/engine/SkinData.h"

namespace skin {

class THeaderStyle : public QProxyStyle {
 public:
  explicit THeaderStyle(const TSkinHeader* skinner) : QProxyStyle(NewBaseStyle()), skinner_(skinner) {}

  void drawControl(ControlElement element, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
    if (!skinner_->Skinned() || w != skinner_->Handle()) {
      QProxyStyle::drawControl(element, opt, p, w);
      return;
    }
    const TSkinElements& e = skinner_->SkinData()->Elements();
    const int index = HeaderFrameIndex(opt->state & State_Sunken, opt->state & State_MouseOver,
                                       opt->state & State_Enabled);
    switch (element) {
      case CE_HeaderSection: PaintHeaderSection(*p, opt->rect, e, index, &cache_); return;
      case CE_HeaderEmptyArea: PaintHeaderSection(*p, opt->rect, e, HeaderFrameIndex(false, false, true), &cache_); return;
      case CE_HeaderLabel:
        if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(opt)) {
          QStyleOptionHeader label = *header;
          const QColor ink = HeaderTextColour(e, index);
          label.palette.setColor(QPalette::ButtonText, ink);
          label.palette.setColor(QPalette::WindowText, ink);
          QProxyStyle::drawControl(element, &label, p, w);
          return;
        }
        break;
      default: break;
    }
    QProxyStyle::drawControl(element, opt, p, w);
  }

 private:
  const TSkinHeader* skinner_;
  mutable TPartCache cache_;
};

TSkinHeader::TSkinHeader(QObject* owner) : TSkinControl(owner) {}

TSkinHeader::~TSkinHeader() {
  if (life_ == sclAlive && initialised_) RestoreControl();
}

QHeaderView* TSkinHeader::Header() const { return qobject_cast<QHeaderView*>(handle_.data()); }

bool TSkinHeader::Skinned() const {
  return painting_ && skinData_ && skinData_->HasSkin() && CanPaintHeader(skinData_->Elements());
}

void TSkinHeader::InitWindow(QWidget* hwnd, TSkinData* skinData, TWinSkinForm* frame, QImage* canvas) {
  const bool first = !initialised_;
  TSkinControl::InitWindow(hwnd, skinData, frame, canvas);
  QHeaderView* header = Header();
  if (!first || !initialised_ || !header) return;
  style_ = std::make_unique<THeaderStyle>(this);
  lent_.Apply(header, style_.get());
  // The hot look needs the pointer's moves over the sections (the header
  // follows them as hover events of its own).
  hadHover_ = header->testAttribute(Qt::WA_Hover);
  header->setAttribute(Qt::WA_Hover, true);
  header->viewport()->update();
}

void TSkinHeader::RestoreControl() {
  if (QHeaderView* header = Header(); header && lent_.Applied()) {
    header->setAttribute(Qt::WA_Hover, hadHover_);
    header->viewport()->update();
  }
  lent_.Restore();
  TSkinControl::RestoreControl();
}

void TSkinHeader::Refresh() {
  if (QHeaderView* header = Header()) header->viewport()->update();
  TSkinControl::Refresh();
}

void TSkinHeader::AfterMessage(QEvent* message) {
  // The header's style paints the skin: nothing to add after its paint.
  if (message->type() == QEvent::Paint) return;
  TSkinControl::AfterMessage(message);
}

}  // namespace skin
