#include "tests/skin_engine/TestSkins.h"

#include <QImage>
#include <QtEndian>

#include "tests/skin/SkinTestData.h"
#include "tools/skinpack/LzhEncoder.h"

namespace enginetest {
namespace {

QImage TwoFrames(int w, int h, bool stacked, const QColor& a, const QColor& b, bool magentaCorner, bool bottomCorner) {
  QImage img(stacked ? w : 2 * w, stacked ? 2 * h : h, QImage::Format_RGB32);
  for (int f = 0; f < 2; ++f) {
    const QRect cell = stacked ? QRect(0, f * h, w, h) : QRect(f * w, 0, w, h);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) img.setPixelColor(x, y, f == 0 ? a : b);
    if (magentaCorner && w > 0 && h > 0) {
      const QPoint at = bottomCorner ? QPoint(cell.left(), cell.bottom()) : cell.topLeft();
      img.setPixelColor(at, QColor(255, 0, 255));
    }
  }
  return img;
}

QString Rgb(const QColor& c) { return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue()); }

}  // namespace

QColor ButtonFrameColour(const CaptionButtonSpec& b, int k) {
  return QColor(std::max(0, b.colour.red() - 30 * (k - 1)), std::min(255, b.colour.green() + 20 * (k - 1)),
                b.colour.blue());
}

QList<CaptionButtonSpec> StandardButtons(int T) {
  const int y = (T - 10) / 2;
  QList<CaptionButtonSpec> list;
  list.append({QStringLiteral("Button.Close"), 0, 1, 3 + 14, y, 0, 0, 12, 10, 4, QColor(200, 0, 0)});
  list.append({QStringLiteral("Button.Maximize"), 1, 1, 3 + 28, y, 2, 0, 12, 10, 4, QColor(0, 200, 0)});
  list.append({QStringLiteral("Button.Restore"), 1, 1, 3 + 28, y, 1, 0, 12, 10, 4, QColor(0, 150, 250)});
  list.append({QStringLiteral("Button.Minimize"), 2, 1, 3 + 42, y, 0, 0, 12, 10, 4, QColor(250, 150, 0)});
  list.append({QStringLiteral("Button.SysMenu"), 3, 0, 6, (T - 16) / 2, 0, 0, 16, 16, 1, QColor(0, 0, 200)});
  return list;
}

QByteArray FrameSkinFile(const FrameSpec& s) {
  QList<std::pair<QString, QImage>> images;
  QString ini;
  ini += QStringLiteral("[TitlebarSkin]\r\nSkinName=%1\r\n[Personality]\r\n").arg(s.name);
  const int h = s.T + 30 + s.B;
  images.append({QStringLiteral("FrameLeft.bmp"), TwoFrames(s.L, h, false, s.left, s.leftInactive, s.magentaCorners, false)});
  images.append({QStringLiteral("FrameRight.bmp"), TwoFrames(s.R, h, false, s.right, s.rightInactive, s.magentaCorners, false)});
  images.append({QStringLiteral("FrameTop.bmp"), TwoFrames(60, s.T, true, s.top, s.topInactive, false, false)});
  images.append({QStringLiteral("FrameBottom.bmp"),
                 TwoFrames(60, s.B, true, s.bottom, s.bottomInactive, s.magentaCorners, true)});
  // Border keys are Left, Right, Top, Bottom; their images are named Frame*.bmp.
  auto key = [&](const QString& name, int trans) {
    ini += QStringLiteral("%1=Frame%1.bmp\r\n%1Frame=2\r\n%1Stretch=1\r\n%1Trans=%2\r\n").arg(name).arg(trans);
  };
  key(QStringLiteral("Left"), s.leftTrans);
  key(QStringLiteral("Right"), s.rightTrans);
  key(QStringLiteral("Top"), s.topTrans);
  key(QStringLiteral("Bottom"), s.bottomTrans);
  ini += QStringLiteral("TextShift=%1\r\nTextRightClip=%2\r\nTextAlignment=%3\r\n")
             .arg(s.textShift)
             .arg(s.textRightClip)
             .arg(s.textAlignment);
  ini += QStringLiteral("[Colours]\r\nButtonFace=%1\r\nTitleTextActive=%2\r\nTitleTextNoActive=%3\r\n")
             .arg(Rgb(s.buttonFace), Rgb(s.titleText), Rgb(s.titleTextInactive));
  for (const CaptionButtonSpec& b : s.buttons) {
    QImage img(b.width * b.frames, b.height, QImage::Format_RGB32);
    for (int k = 1; k <= b.frames; ++k)
      for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) img.setPixelColor((k - 1) * b.width + x, y, ButtonFrameColour(b, k));
    const QString file = b.section + QStringLiteral(".bmp");
    images.append({file, img});
    ini += QStringLiteral("[%1]\r\nAction=%2\r\nAlign=%3\r\nXcoord=%4\r\nYcoord=%5\r\nVisibility=%6\r\nVisibility1=%7\r\n"
                          "ButtonImage=%8\r\nframe=%9\r\n")
               .arg(b.section)
               .arg(b.action)
               .arg(b.align)
               .arg(b.xcoord)
               .arg(b.ycoord)
               .arg(b.visibility)
               .arg(b.visibility1)
               .arg(file)
               .arg(b.frames);
  }
  return skinpack::LzhEncodeFile(skintest::Archive(ini, images));
}

QByteArray FrameSkinStream(const FrameSpec& spec) {
  const QByteArray file = FrameSkinFile(spec);
  QByteArray out(4, '\0');
  qToLittleEndian<qint32>(static_cast<qint32>(file.size()), out.data());
  return out + file;
}

}  // namespace enginetest
