// The skin's elements read from its INI and images, then every element drawn
// at hostile sizes. The input: a 16-byte header, then the INI text. Every
// ".bmp" file an INI value names is put in the archive as a bitmap painted
// for the run: the header's bytes 4 to 15 give the sizes of the first six,
// cycling (a size byte of 0 makes the entry no bitmap); bytes 1 to 3 pick the
// rectangles, frames and painters of the drawing, byte 0 its flags.
//
// A skin refused leaves the elements as they were; one read keeps the
// budget. Drawing onto a small canvas at sizes 0, 1, odd, the canvas's own and
// the largest a window may have (32,767) ends, and touches no pixel outside
// the rectangle drawn into; an element's region lies on its image and the
// pixel transforms keep its size.
#include <QPainter>
#include <QHash>
#include <QSet>

#include <climits>

#include "platform/Gbk.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/SkinFuzzSupport.h"
#include "tests/skin/SkinTestData.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

using fuzz::Show;

constexpr std::size_t kHeader = 16;
constexpr int kMaxImages = 64;
// The canvas, odd in both directions and wider than high.
constexpr int kCanvasWidth = 23, kCanvasHeight = 13;
constexpr QRgb kUntouched = 0x5A3C1E0Fu;
// Sides of the rectangles drawn into.
constexpr int kSides[] = {0, 1, 2, 3, 7, 12, 13, 22, 23, 24, 255, 4097, 32767};

// The ".bmp" file names the INI's values give, each once (letter case ignored).
QStringList ImageNames(const QStringList& lines) {
  QStringList names;
  QSet<QString> seen;
  for (const QString& line : lines) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    const QString file = skin::ImageFileName(skin::TrimText(line.mid(eq + 1)));
    if (!file.endsWith(QLatin1String(".bmp")) || seen.contains(file.toLower())) continue;
    seen.insert(file.toLower());
    names << file;
    if (names.size() == kMaxImages) break;
  }
  return names;
}

// A 24-bit bitmap of w x h pixels in one of four patterns, with magenta
// stripes; made once for each size and pattern, as every run asks for them.
QByteArray PaintedBmp(int w, int h, int pattern) {
  static QHash<int, QByteArray> made;
  const int key = (w * 64 + h) * 4 + pattern;
  if (const auto it = made.constFind(key); it != made.cend()) return *it;
  QList<quint32> pixels;
  pixels.reserve(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      pixels.append((x + 2 * y + pattern) % 5 == 0 ? 0xFF00FFu
                                                    : static_cast<quint32>((x * 37) ^ (y * 101) ^ (pattern << 16)) & 0xFFFFFFu);
  return *made.insert(key, skintest::MakeBmp(w, h, 24, pixels));
}

QByteArray BuildArchive(const QByteArray& iniBytes, const QStringList& names, const std::uint8_t* sizes) {
  QList<skinpack::Entry> entries{{"skin.ini", iniBytes}};
  for (int k = 0; k < names.size(); ++k) {
    const int w = sizes[2 * (k % 6)] % 33, h = sizes[2 * (k % 6) + 1] % 33;
    entries.append({platform::ToGbk(names[k]), w == 0 || h == 0 ? QByteArray("BM") : PaintedBmp(w, h, k % 4)});
  }
  return skinpack::BuildArchive(entries);
}

struct Picks {
  const std::uint8_t* bytes;
  bool bothHuge;
  int Byte(int i) const { return bytes[1 + i % 3]; }
  int Side(int i, int salt) const {
    const int side = kSides[(Byte(i) + salt * 5) % std::size(kSides)];
    return !bothHuge && side > kCanvasWidth && salt % 2 == 1 ? kSides[salt % 6] : side;
  }
  QRect Rect(int i) const {
    const int x = (Byte(i + 1) % 7) - 3, y = (Byte(i + 2) % 5) - 2;
    return QRect(x, y, Side(i, 2 * (i % 3)), Side(i + 1, 2 * (i % 3) + 1));
  }
};

// Draws `o` into `rect` with the painter `which`.
void Paint(QPainter& p, int which, const QRect& rect, const skin::TDataSkinObject& o, int frame, bool vertical) {
  const bool trans = o.Trans != 0;
  switch (which % 6) {
    case 0: skin::DrawSkinImage(p, rect, o.Image, vertical, o.Tile == 1, trans, o.FrameCount, frame, o.Margins); break;
    case 1: skin::DrawNinePartBorder(p, rect, o.Image, vertical, o.FrameCount, frame, o.Margins); break;
    case 2: skin::DrawThreePartBar(p, rect, o.Image, vertical, trans, o.FrameCount, frame, o.Margins); break;
    case 3: skin::DrawFrameStretched(p, rect, o.Image, trans, o.FrameCount, frame); break;
    case 4: skin::DrawFrameCentred(p, rect, o.Image, trans, o.FrameCount, frame); break;
    default: skin::DrawTransparent(p, rect, o.Image, skin::kSkinKeyColor); break;
  }
}

// Every pixel of the canvas outside `rect` still holds kUntouched; the
// centred painter may spill its frame past a small rectangle, so it is let off.
void CheckOutside(const QImage& canvas, const QRect& rect, const QString& name, int which) {
  if (which % 6 == 4) return;
  const QRect inside = rect & canvas.rect();
  const int w = canvas.width(), h = canvas.height();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    const bool crossed = y >= inside.top() && y <= inside.bottom() && !inside.isEmpty();
    for (int x = 0; x < w; ++x) {
      if (crossed && x == inside.left()) x = inside.right() + 1;
      if (x < w && row[x] != kUntouched)
        CQ_FUZZ_CHECK_SAYING(false, Show(name) << " painter " << which % 6 << " into " << rect.x() << "," << rect.y()
                                               << " " << rect.width() << "x" << rect.height() << " touched " << x << ","
                                               << y);
    }
  }
}

// The window region of an element's image lies on the image, and the pixel
// transforms keep its pixels (turning swaps width and height).
void CheckRegionAndTransforms(const skin::TDataSkinObject& o, const QPoint& at, int tolerance, int which) {
  const QRegion region = skin::RegionFromImage(o.Image, at.x(), at.y(), tolerance, tolerance / 2, tolerance / 3,
                                               skin::kSkinKeyColor);
  CQ_FUZZ_CHECK_SAYING(QRect(at, o.Image.size()).contains(region.boundingRect()) || region.isEmpty(), Show(o.Name));
  QImage turned = o.Image;
  switch (which % 5) {
    case 0: skin::GrayscaleBitmap(turned); break;
    case 1: skin::MirrorBitmap(turned); break;
    case 2: skin::FlipBitmap(turned); break;
    case 3: skin::RotateBitmapLeft(turned); break;
    default: skin::RotateBitmapRight(turned); break;
  }
  const QSize want = which % 5 >= 3 ? o.Image.size().transposed() : o.Image.size();
  CQ_FUZZ_CHECK_SAYING(turned.size() == want, Show(o.Name) << " transform " << which % 5);
}

void DrawEvery(const skin::TSkinElements& e, const Picks& picks) {
  std::vector<const skin::TDataSkinObject*> all{&e.FrameLeft, &e.FrameRight, &e.FrameTop, &e.FrameBottom, &e.Title,
                                                &e.Buttons};
  for (const auto& b : e.SysButtons) all.push_back(b.get());
  for (const auto& [name, o] : e.OptionalElements())
    if (o) all.push_back(o);
  QImage canvas(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32);
  for (int i = 0; i < static_cast<int>(all.size()); ++i) {
    const skin::TDataSkinObject& o = *all[i];
    const QRect rect = picks.Rect(i);
    const int frames[] = {0, 1, o.FrameCount, o.FrameCount < INT_MAX ? o.FrameCount + 1 : INT_MIN};
    const int which = picks.Byte(i) + i;
    canvas.fill(kUntouched);
    {
      QPainter p(&canvas);
      Paint(p, which, rect, o, frames[(picks.Byte(i + 1) >> 3) % 4], (picks.Byte(i + 2) >> 3) & 1);
    }
    CQ_FUZZ_CHECK(canvas.size() == QSize(kCanvasWidth, kCanvasHeight));
    CheckOutside(canvas, rect, o.Name, which);
    if (i % 4 == 0) CheckRegionAndTransforms(o, rect.topLeft(), picks.Byte(i + 2), which);
  }
}

int Run(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const QByteArray iniBytes(reinterpret_cast<const char*>(data + kHeader), static_cast<qsizetype>(size - kHeader));
  skin::TQuickIni ini;
  ini.LoadFromStream(iniBytes);
  const QByteArray archive = BuildArchive(iniBytes, ImageNames(ini.Lines()), data + 4);
  skin::TSkinReader reader;
  CQ_FUZZ_CHECK(reader.OpenArchive(archive));
  skin::TSkinElements elements;
  elements.SkinName = QStringLiteral("in use");
  if (!skin::ReadSkinElements(ini, reader, elements)) {
    CQ_FUZZ_CHECK_SAYING(elements.NotLoaded && elements.SkinName == QLatin1String("in use"), Show(elements.SkinName));
    return 0;
  }
  fuzz::CheckWithinBudget(elements);
  DrawEvery(elements, Picks{data, (data[0] & 1) != 0});
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("skin-elements", Run)
