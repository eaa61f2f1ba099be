#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "app/DesktopIdentity.h"

namespace {

QList<int> Widths(const QList<QSize>& sizes) {
  QList<int> widths;
  for (const QSize& s : sizes) widths << s.width();
  return widths;
}

}  // namespace

// The icon carries every size a desktop asks for, each drawn at its own size:
// square, the paper opaque in the middle and the rounded corners see-through;
// the small sizes have no partly transparent pixels.
TEST(ProgramIcon, HoldsEachDesktopSizeDrawnAtThatSize) {
  const QIcon icon = app::ProgramIcon();
  const QList<int> expected{16, 22, 24, 32, 48, 64, 128, 256};
  QList<int> widths = Widths(icon.availableSizes());
  std::sort(widths.begin(), widths.end());
  EXPECT_EQ(widths, expected);
  for (const QSize& size : icon.availableSizes()) {
    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(size.width(), size.width())) << size.width();
    const int n = image.width();
    EXPECT_EQ(qAlpha(image.pixel(n / 2, n * 3 / 4)), 255) << n;
    EXPECT_LT(qAlpha(image.pixel(0, 0)), 64) << n;
    EXPECT_LT(qAlpha(image.pixel(n - 1, n - 1)), 64) << n;
    // Frames draw the small icon on their transparent key colour: there, a pixel
    // that is neither opaque nor clear would show as a fringe of the key colour.
    if (n > 24) continue;
    int mixed = 0;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x)
        if (qAlpha(image.pixel(x, y)) != 0 && qAlpha(image.pixel(x, y)) != 255) ++mixed;
    EXPECT_EQ(mixed, 0) << n;
  }
}

// Installed, the icon reaches windows that set none of their own, and the
// desktop entry is named by its id.
TEST(ProgramIcon, InstalledEveryWindowCarriesIt) {
  app::InstallDesktopIdentity();
  QWidget window;
  QList<int> widths = Widths(window.windowIcon().availableSizes());
  EXPECT_EQ(widths.size(), 8);
  EXPECT_TRUE(widths.contains(16) && widths.contains(256));
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.example.cinnabarquillpad"));
}
