#include "tests/skin_controls/ControlSkin.h"

#include <QtEndian>

#include "skin/engine/SkinData.h"
#include "tests/skin/SkinTestData.h"
#include "tools/skinpack/LzhEncoder.h"

namespace controltest {

QRgb Shifted(QRgb c, int shift) {
  return qRgb(std::min(255, qRed(c) + shift), qGreen(c), std::min(255, qBlue(c) + shift));
}

QRgb FrameColour(Element element, int k) {
  return qRgb(10 + 12 * static_cast<int>(element), 8 * k, 60 + 3 * k + static_cast<int>(element));
}

namespace {

QImage Strip(Element element, int frames, int w, int h, int shift) {
  QImage img(w * frames, h, QImage::Format_RGB32);
  for (int k = 1; k <= frames; ++k)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.setPixel((k - 1) * w + x, y, Shifted(FrameColour(element, k), shift));
  return img;
}

QString Rgb(const QColor& c, int shift = 0) {
  return QStringLiteral("%1 %2 %3").arg(std::min(255, c.red() + shift)).arg(c.green()).arg(std::min(255, c.blue() + shift));
}

}  // namespace

QByteArray ControlSkinFile(const Options& o) {
  QList<std::pair<QString, QImage>> images;
  QString ini = QStringLiteral("[TitlebarSkin]\r\nSkinName=controls %1\r\n[Personality]\r\n").arg(o.shift);
  auto border = [&](const QString& name, int w, int h, bool stacked) {
    QImage img(stacked ? w : 2 * w, stacked ? 2 * h : h, QImage::Format_RGB32);
    img.fill(qRgb(90, 90, 90));
    images.append({name + QStringLiteral(".bmp"), img});
    ini += QStringLiteral("%1=%1.bmp\r\n%1Frame=2\r\n%1Stretch=1\r\n%1Trans=0\r\n").arg(name);
  };
  border(QStringLiteral("Left"), 4, 60, false);
  border(QStringLiteral("Right"), 4, 60, false);
  border(QStringLiteral("Top"), 60, 20, true);
  border(QStringLiteral("Bottom"), 60, 4, true);
  ini += QStringLiteral("[Colours]\r\nButtonFace=%1\r\nButtonText=%2\r\n").arg(Rgb(kButtonFace, o.shift), Rgb(kButtonText));
  if (o.windowColours) ini += QStringLiteral("Window=%1\r\n").arg(Rgb(kWindow));
  auto image = [&](const QString& file, Element e, int frames, int w, int h) {
    images.append({file, Strip(e, frames, w, h, o.shift)});
    return file;
  };
  ini += QStringLiteral("[Buttons]\r\nBitmap=%1\r\nCheckButton=%2\r\nRadioButton=%3\r\nTrans=0\r\n")
             .arg(image(QStringLiteral("push.bmp"), ePush, 5, 24, 22),
                  image(QStringLiteral("check.bmp"), eCheck, 4, o.toggleSize, o.toggleSize),
                  image(QStringLiteral("radio.bmp"), eRadio, 4, o.toggleSize, o.toggleSize));
  if (o.toggleSize >= 16) ini += QStringLiteral("CheckButtonFrame=4\r\nRadioButtonFrame=4\r\n");
  if (o.stateColours)
    ini += QStringLiteral("NormalColour2=%1\r\nMouseOverColour2=%2\r\nPressedColour2=%3\r\n")
               .arg(Rgb(kNormal2), Rgb(kMouseOver2), Rgb(kPressed2));
  auto element = [&](const QString& section, Element e, int frames, int w, int h, int trans = 0,
                     const QString& extra = {}) {
    ini += QStringLiteral("[%1]\r\nImage=%2\r\nTrans=%3\r\n%4")
               .arg(section, image(section + QStringLiteral(".bmp"), e, frames, w, h))
               .arg(trans)
               .arg(extra);
  };
  element(QStringLiteral("StatusBarEdges"), eStatus, 3, 20, 18, 0, QStringLiteral("NormalColour2=%1\r\n").arg(Rgb(kNormal2)));
  element(QStringLiteral("ComboButton"), eCombo, 4, 18, 21);
  element(QStringLiteral("SunkEdge"), eSunk, 4, 20, 21, 0,
          QStringLiteral("LeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\nBottomHeight=2\r\n"));
  element(QStringLiteral("ExtraImages"), eExtra, 5, 10, 10, 1);
  element(QStringLiteral("Headerbar"), eHeader, 5, 40, 20, 0,
          QStringLiteral("NormalColour2=%1\r\nMouseOverColour2=%2\r\nPressedColour2=%3\r\n")
              .arg(Rgb(kNormal2), Rgb(kMouseOver2), Rgb(kPressed2)));
  element(QStringLiteral("Scrollbar"), eArrows, 23, 16, 16, 1);
  element(QStringLiteral("VertScroll"), eVertTrack, 4, 16, 32);
  element(QStringLiteral("HorzScroll"), eHorzTrack, 4, 32, 16);
  element(QStringLiteral("VertScrollThumb"), eVertThumb, 3, 16, 30, 1, QStringLiteral("FrameCount=3\r\n"));
  element(QStringLiteral("HorzScrollThumb"), eHorzThumb, 3, 30, 16, 1, QStringLiteral("FrameCount=3\r\n"));
  element(QStringLiteral("UpDown.Vert"), eUpDown, 8, 16, 16);
  return skinpack::LzhEncodeFile(skintest::Archive(ini, images));
}

QByteArray ControlSkinStream(const Options& options) {
  const QByteArray file = ControlSkinFile(options);
  QByteArray out(4, '\0');
  qToLittleEndian<qint32>(static_cast<qint32>(file.size()), out.data());
  return out + file;
}

std::unique_ptr<skin::TSkinData> LoadedSkin(const Options& options) {
  auto data = std::make_unique<skin::TSkinData>();
  data->ReadSkinStream(ControlSkinStream(options));
  return data;
}

skin::TSkinData& SharedSkin() {
  static const std::unique_ptr<skin::TSkinData> data = LoadedSkin();
  return *data;
}

bool PixelIs(const QImage& image, int x, int y, QRgb c) {
  return x >= 0 && y >= 0 && x < image.width() && y < image.height() && (image.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
}

std::string Hex(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')).toStdString(); }

}  // namespace controltest
