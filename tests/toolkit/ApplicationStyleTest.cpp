#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QToolButton>
#include <memory>

#include "toolkit/ApplicationStyle.h"

using toolkit::TApplicationStyle;

namespace {

QImage Drawn(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32); }

}  // namespace

// The extension arrows, read when first drawn, come out as the base style draws
// them at every size; other icons are the base style's own.
TEST(ApplicationStyle, DrawsStandardIconsAsItsBaseStyle) {
  TApplicationStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
  std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  for (QStyle::StandardPixmap which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                                       QStyle::SP_DialogOkButton, QStyle::SP_ArrowUp}) {
    const QIcon ours = style.standardIcon(which);
    const QIcon theirs = fusion->standardIcon(which);
    EXPECT_FALSE(ours.isNull()) << which;
    EXPECT_EQ(ours.availableSizes(), theirs.availableSizes()) << which;
    for (int size : {8, 13, 16, 32}) {
      EXPECT_EQ(ours.actualSize(QSize(size, size)), theirs.actualSize(QSize(size, size))) << which << " " << size;
      EXPECT_EQ(Drawn(ours, size), Drawn(theirs, size)) << which << " " << size;
    }
  }
  // The two arrows differ: the icon asked for is the one drawn.
  EXPECT_NE(Drawn(style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16),
            Drawn(style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton), 16));
}

// An arrow handed out before its style went away draws nothing rather than
// reaching into the destroyed style.
TEST(ApplicationStyle, ArrowOutlivingItsStyleIsEmpty) {
  QIcon arrow;
  {
    TApplicationStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    arrow = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
  }
  EXPECT_TRUE(arrow.pixmap(16, 16).isNull());
}

// Installed, it wraps the style the application had and a menu bar's arrow
// button shows the base style's arrow.
TEST(ApplicationStyle, InstalledOverTheApplicationsStyle) {
  const QString before = QApplication::style()->name();
  toolkit::InstallApplicationStyle();
  auto* installed = qobject_cast<TApplicationStyle*>(QApplication::style());
  ASSERT_NE(installed, nullptr);
  EXPECT_EQ(installed->baseStyle()->name(), before);
  toolkit::InstallApplicationStyle();  // once is enough: no style over a style
  EXPECT_EQ(QApplication::style(), installed);

  QMenuBar bar;
  auto* arrow = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
  ASSERT_NE(arrow, nullptr);
  const QIcon expected = installed->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, &bar);
  EXPECT_EQ(Drawn(arrow->icon(), 16), Drawn(expected, 16));
}
