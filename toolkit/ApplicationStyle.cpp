#include "toolkit/ApplicationStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>
#include <optional>

namespace toolkit {
namespace {

// An icon that asks the base style for its pictures the first time it is
// drawn or measured, then answers as that icon.
class DeferredStandardIcon : public QIconEngine {
 public:
  DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap icon, const QWidget* widget)
      // Held only to be asked again, through their const interfaces; the
      // pointers let go when either is destroyed first.
      : style_(const_cast<QStyle*>(style)), icon_(icon), widget_(const_cast<QWidget*>(widget)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Resolved().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Resolved().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Resolved().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Resolved().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Resolved().availableSizes(mode, state);
  }
  // The base style draws both arrows from pictures of its own, so the icon is
  // known not to be null without reading them.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
  QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }

 private:
  QIcon Resolved() {
    if (!resolved_) resolved_ = style_ ? style_->standardIcon(icon_, nullptr, widget_.data()) : QIcon();
    return *resolved_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap icon_;
  QPointer<QWidget> widget_;
  std::optional<QIcon> resolved_;
};

}  // namespace

TApplicationStyle::TApplicationStyle(QStyle* base) : QProxyStyle(base) {}

QIcon TApplicationStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  if (!option && (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton))
    return QIcon(new DeferredStandardIcon(baseStyle(), icon, widget));
  return QProxyStyle::standardIcon(icon, option, widget);
}

void InstallApplicationStyle() {
  QStyle* current = QApplication::style();
  if (qobject_cast<TApplicationStyle*>(current)) return;
  QApplication::setStyle(new TApplicationStyle(QStyleFactory::create(current->name())));
}

}  // namespace toolkit
