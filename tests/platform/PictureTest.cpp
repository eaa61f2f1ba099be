#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "platform/Picture.h"

namespace {

QImage Sample() {
  QImage image(5, 3, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(40 * x, 90 * y, 7));
  return image;
}

}  // namespace

// The suffix names the format, in either letter case; a picture whose bytes
// are of another format than its name says is not read (a near miss that a
// detecting reader would let through).
TEST(ReadPicture, TheSuffixNamesTheFormat) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QImage sample = Sample();
  const QString png = dir.filePath(QStringLiteral("a.png")), upper = dir.filePath(QStringLiteral("b.PNG"));
  const QString bmp = dir.filePath(QStringLiteral("c.bmp")), wrong = dir.filePath(QStringLiteral("d.bmp"));
  ASSERT_TRUE(sample.save(png, "PNG"));
  ASSERT_TRUE(sample.save(upper, "PNG"));
  ASSERT_TRUE(sample.save(bmp, "BMP"));
  ASSERT_TRUE(sample.save(wrong, "PNG"));

  EXPECT_EQ(platform::ReadPicture(png).convertToFormat(QImage::Format_RGB32), sample);
  EXPECT_EQ(platform::ReadPicture(upper).convertToFormat(QImage::Format_RGB32), sample);
  EXPECT_EQ(platform::ReadPicture(bmp).convertToFormat(QImage::Format_RGB32), sample);
  EXPECT_TRUE(platform::ReadPicture(wrong).isNull());
  EXPECT_FALSE(QImage(wrong).isNull());  // detection would have read it
  EXPECT_TRUE(platform::ReadPicture(dir.filePath(QStringLiteral("missing.png"))).isNull());
  EXPECT_TRUE(platform::ReadPicture(dir.filePath(QStringLiteral("nosuffix"))).isNull());
}
