// Every picture the program ships, checked for fringes of its transparent
// colour: an edge pixel next to the key colour must be a colour of the picture
// itself, never a blend of that colour with the key, which would show as a
// tinted outline once the key pixels are left out. And each reads by the
// format its name says as Qt's detecting reader reads it.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include "platform/Picture.h"
#include "skin/core/BmpLoader.h"
#include "skin/engine/DefaultSkin.h"
#include "skin/core/SkinReader.h"
#include "tests/support/TestSupport.h"

namespace {

struct Fringe {
  QPoint at;
  QRgb colour;
  QRgb towards;  // the neighbour it lies between with the key
};

// Whether `e` lies on the line from the key `k` to `n`, strictly between them
// (a blend of both), within a small rounding allowance.
bool BlendOfKey(QRgb e, QRgb k, QRgb n) {
  const int d[3] = {qRed(n) - qRed(k), qGreen(n) - qGreen(k), qBlue(n) - qBlue(k)};
  const int v[3] = {qRed(e) - qRed(k), qGreen(e) - qGreen(k), qBlue(e) - qBlue(k)};
  const double length2 = double(d[0]) * d[0] + double(d[1]) * d[1] + double(d[2]) * d[2];
  if (length2 < 1) return false;
  const double a = (double(v[0]) * d[0] + double(v[1]) * d[1] + double(v[2]) * d[2]) / length2;
  if (a <= 0 || a > 0.9) return false;  // at least a tenth of the key, or it does not show
  for (int c = 0; c < 3; ++c)
    if (std::abs(v[c] - a * d[c]) > 8) return false;
  return true;
}

// The pixels next to a key pixel (8 neighbours) whose colour blends the key
// with a neighbouring colour of the picture.
QList<Fringe> KeyFringes(const QImage& source, QRgb key) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  key |= 0xFF000000u;
  const QRect bounds = image.rect();
  QList<Fringe> found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb e = image.pixel(x, y);
      if (e == key) continue;
      bool touchesKey = false;
      QList<QRgb> others;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const QPoint q(x + dx, y + dy);
          if ((dx == 0 && dy == 0) || !bounds.contains(q)) continue;
          const QRgb n = image.pixel(q);
          if (n == key) touchesKey = true;
          else if (n != e) others.append(n);
        }
      if (!touchesKey) continue;
      for (QRgb n : others)
        if (BlendOfKey(e, key, n)) {
          found.append({QPoint(x, y), e, n});
          break;
        }
    }
  }
  return found;
}

std::string Describe(const QString& name, const QList<Fringe>& fringes) {
  QString text = name + QStringLiteral(": %1 fringe pixels").arg(fringes.size());
  for (qsizetype i = 0; i < std::min<qsizetype>(fringes.size(), 5); ++i)
    text += QStringLiteral(", (%1,%2) #%3 towards #%4")
                .arg(fringes[i].at.x())
                .arg(fringes[i].at.y())
                .arg(fringes[i].colour & 0xFFFFFF, 6, 16, QChar(u'0'))
                .arg(fringes[i].towards & 0xFFFFFF, 6, 16, QChar(u'0'));
  return text.toStdString();
}

QRgb BottomLeft(const QImage& image) { return image.pixel(0, image.height() - 1); }

}  // namespace

// The checker tells a fringed outline from a clean one.
TEST(ShippedPictures, TheCheckFindsBlendsWithTheKeyOnly) {
  const QRgb key = qRgb(255, 0, 255);
  QImage clean(8, 8, QImage::Format_RGB32);
  clean.fill(key);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) clean.setPixel(x, y, qRgb(176, 40, 30));
  clean.setPixel(2, 2, qRgb(236, 226, 214));  // a blend with a light matte is no fringe
  EXPECT_TRUE(KeyFringes(clean, key).isEmpty());
  QImage fringed = clean;
  fringed.setPixel(5, 3, qRgb(215, 20, 142));  // half the glyph colour, half the key
  fringed.setPixel(2, 5, qRgb(186, 34, 69));   // a fifth of the key
  const QList<Fringe> found = KeyFringes(fringed, key);
  ASSERT_EQ(found.size(), 2);
  EXPECT_EQ(found[0].at, QPoint(5, 3));
  EXPECT_EQ(found[1].at, QPoint(2, 5));
  // An interior blend (no key pixel beside it) is the picture's own business.
  QImage interior(8, 8, QImage::Format_RGB32);
  interior.fill(qRgb(176, 40, 30));
  interior.setPixel(0, 7, key);
  interior.setPixel(4, 4, qRgb(215, 20, 142));
  EXPECT_TRUE(KeyFringes(interior, key).isEmpty());
}

// The glyph pictures inside the program take their bottom-left pixel's colour
// as transparent.
TEST(ShippedPictures, GlyphPicturesHaveNoFringeOfTheirKeyColour) {
  int checked = 0;
  QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.bmp")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString name = it.next();
    const QImage image(name);
    ASSERT_FALSE(image.isNull()) << name.toStdString();
    const QList<Fringe> fringes = KeyFringes(image, BottomLeft(image));
    EXPECT_TRUE(fringes.isEmpty()) << Describe(name, fringes);
    ++checked;
  }
  // The header's five glyphs, the four speech glyphs and the glyph button's pictures.
  EXPECT_GE(checked, 28);
}

// The skins' pictures take magenta as transparent.
TEST(ShippedPictures, SkinPicturesHaveNoMagentaFringe) {
  testing_support::DialogScript dialogs;
  QList<QPair<QString, QByteArray>> skins{{QStringLiteral("default"), skin::DefaultSkinBytes()}};
  for (int id = 1; id <= 7; ++id) {
    QFile file(QStringLiteral(CQ_BIN_DIR "/skins/%1.skn").arg(id));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    skins.append({QString::number(id), file.readAll()});
  }
  int checked = 0;
  for (const auto& [id, bytes] : skins) {
    skin::TSkinReader reader;
    ASSERT_TRUE(reader.OpenSkin(bytes)) << id.toStdString();
    for (const QByteArray& entry : reader.Names()) {
      if (!entry.endsWith(".bmp")) continue;
      const QImage image = reader.ReadImage(QString::fromLatin1(entry));
      if (image.isNull()) continue;
      const QList<Fringe> fringes = KeyFringes(image, qRgb(255, 0, 255));
      EXPECT_TRUE(fringes.isEmpty()) << Describe(id + u'/' + QString::fromLatin1(entry), fringes);
      ++checked;
    }
  }
  EXPECT_GT(checked, 7 * 30);
}

// Every picture the program carries reads by its name's format exactly as
// Qt's detecting reader reads it: no resource has a suffix that lies.
TEST(ShippedPictures, ReadByTheirSuffixAsByDetection) {
  const QStringList kinds{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("xbm")};
  int checked = 0;
  QStringList folders;
  QDirIterator it(QStringLiteral(":/"), QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.startsWith(QStringLiteral(":/qt-project.org"))) continue;  // Qt's own
    const QFileInfo info(path);
    if (!kinds.contains(info.suffix().toLower())) continue;
    const QImage detected(path);
    ASSERT_FALSE(detected.isNull()) << path.toStdString();
    EXPECT_EQ(platform::ReadPicture(path), detected) << path.toStdString();
    ++checked;
    const QString folder = path.section(u'/', 1, 1);
    if (!folders.contains(folder)) folders << folder;
  }
  // The program's pictures, skin glyphs, button faces, icons and drag cursors.
  EXPECT_GE(checked, 40);
  folders.sort();
  EXPECT_EQ(folders, (QStringList{QStringLiteral("app"), QStringLiteral("icons"), QStringLiteral("outbar"),
                                  QStringLiteral("skin"), QStringLiteral("styled")}));
}
