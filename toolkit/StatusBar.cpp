#include "toolkit/StatusBar.h"

#include <QPainter>

#include "platform/Edges.h"

namespace toolkit {

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) { resize(width(), 19); }

TStatusPanel& TStatusBar::AddPanel(int width, TAlignment alignment) {
  panels_.append({width, QString(), alignment});
  update();
  return panels_.last();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
  if (index < 0 || index >= panels_.size() || panels_[index].Text == text) return;
  panels_[index].Text = text;
  update();
}

void TStatusBar::SetPanelBevel(int index, TStatusPanelBevel bevel) {
  if (index < 0 || index >= panels_.size() || panels_[index].Bevel == bevel) return;
  panels_[index].Bevel = bevel;
  update();
}

void TStatusBar::SetSimplePanel(bool simple) {
  if (simplePanel_ == simple) return;
  simplePanel_ = simple;
  update();
}

void TStatusBar::SetSimpleText(const QString& text) {
  if (simpleText_ == text) return;
  simpleText_ = text;
  update();
}

void TStatusBar::SetSizeGrip(bool grip) {
  if (sizeGrip_ == grip) return;
  sizeGrip_ = grip;
  update();
}

QRect TStatusBar::PanelRect(int index) const {
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels_[i].Width + 2;
  const int right = index == panels_.size() - 1 ? width() : left + panels_[index].Width;
  return QRect(left, 2, std::max(0, right - left), std::max(0, height() - 2));
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), platform::ToQColor(platform::clBtnFace));
  p.setFont(font());
  p.setPen(platform::ToQColor(platform::clBtnText));
  if (simplePanel_) {
    p.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, simpleText_);
  }
  for (int i = 0; !simplePanel_ && i < panels_.size(); ++i) {
    QRect r = PanelRect(i);
    const TStatusPanel& panel = panels_[i];
    if (panel.Bevel != pbNone)
      platform::DrawEdge(p, r, panel.Bevel == pbRaised ? platform::BDR_RAISEDINNER : platform::BDR_SUNKENOUTER,
                         platform::BF_RECT | platform::BF_ADJUST);
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= panel.Alignment == taCenter ? Qt::AlignHCenter : panel.Alignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    p.save();
    p.setClipRect(r);
    p.drawText(r.adjusted(2, 0, -2, 0), flags, panel.Text);
    p.restore();
  }
  if (!sizeGrip_) return;
  // Size grip: three diagonal ridges in the bottom-right corner.
  const int right = width() - 1, bottom = height() - 1;
  for (int i = 0; i < 3; ++i) {
    const int d = 4 + i * 4;
    p.setPen(platform::ToQColor(platform::clBtnHighlight));
    p.drawLine(right - d, bottom, right, bottom - d);
    p.setPen(platform::ToQColor(platform::clBtnShadow));
    p.drawLine(right - d + 1, bottom, right, bottom - d + 1);
    p.drawLine(right - d + 2, bottom, right, bottom - d + 2);
  }
}

}  // namespace toolkit
