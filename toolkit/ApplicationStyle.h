#pragma once
// The style every window starts from: the platform's own, except that the
// extension arrows of menu bars and tool bars are read from their pictures
// when first drawn. Every menu bar asks for its arrow when it is made, and
// Qt's style reads it at once through each installed image plugin in turn,
// loading all of them at start-up for an arrow that shows only when a bar is
// too narrow for its entries (and never under a skin, which draws its own bar).
#include <QProxyStyle>

namespace toolkit {

class TApplicationStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Draws as `base` (taken over; null: the platform's default style).
  explicit TApplicationStyle(QStyle* base);
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

// Makes TApplicationStyle, over the style the application has now (the
// platform's, or the one named by -style), the application's style; call once
// the QApplication exists.
void InstallApplicationStyle();

}  // namespace toolkit
