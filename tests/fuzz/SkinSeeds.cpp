// Writes the seed inputs of the skin fuzz targets into their corpus folders:
//   cq-skin-seeds SKIN_FOLDER CORPUS_DIR
// SKIN_FOLDER is a painted skin (its INI and bitmaps, as cq-skingen paints
// them); the seeds are that skin whole and cut down, bitmaps of every depth
// and header, and a few files that are refused. `scripts/fuzz.sh merge` then
// keeps those that reach something new.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

#include "tests/skin/SkinTestData.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

QString corpus;

void Put(const char* target, const char* name, const QByteArray& bytes) {
  const QString dir = corpus + u'/' + QLatin1String(target);
  QDir().mkpath(dir);
  QFile f(dir + QStringLiteral("/seed-") + QLatin1String(name));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
}

// A literal's bytes, NUL bytes within it included.
template <qsizetype N>
QByteArray Bytes(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

QByteArray Flagged(char flag, const QByteArray& payload) { return QByteArray(1, flag) + payload; }

QByteArray Word32(quint32 v) {
  QByteArray b(4, '\0');
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>(v >> (8 * i));
  return b;
}

// The skin's INI and its first `images` bitmaps that the INI names.
QList<skinpack::Entry> CutDown(const QList<skinpack::Entry>& skin, int images) {
  QList<skinpack::Entry> out{skin.first()};
  for (qsizetype i = 1; i < skin.size() && out.size() <= images; ++i)
    if (skin.first().bytes.contains(skin[i].name)) out.append(skin[i]);
  return out;
}

QList<quint32> Indexes(int w, int h, int colours) {
  QList<quint32> pixels;
  for (int i = 0; i < w * h; ++i) pixels.append(static_cast<quint32>((i * 7 + i / w) % colours));
  return pixels;
}

void Bitmaps() {
  const QList<QRgb> palette{qRgb(255, 0, 255), qRgb(0, 0, 0), qRgb(200, 30, 60), qRgb(10, 220, 90)};
  Put("skin-bmp", "1-bit", skintest::MakeBmp(9, 5, 1, Indexes(9, 5, 2), palette.mid(0, 2)));
  Put("skin-bmp", "4-bit", skintest::MakeBmp(7, 3, 4, Indexes(7, 3, 4), palette));
  Put("skin-bmp", "8-bit-top-down", skintest::MakeBmp(5, 4, 8, Indexes(5, 4, 4), palette, true));
  Put("skin-bmp", "16-bit", skintest::MakeBmp(3, 3, 16, {0x7C00, 0x03E0, 0x001F, 0, 0x7FFF, 1, 2, 3, 4}));
  Put("skin-bmp", "24-bit", skintest::BmpOf(skintest::Pattern(5, 3, skintest::Coord)));
  Put("skin-bmp", "32-bit", skintest::MakeBmp(2, 2, 32, {0xFF00FF, 0x123456, 0xABCDEF, 0x000001}));
  // Bit fields: a 16-bit 5-6-5 bitmap, its three masks after the 40-byte header.
  QByteArray fields = skintest::MakeBmp(2, 1, 16, {0xF800, 0x07E0});
  fields.insert(54, Word32(0xF800) + Word32(0x07E0) + Word32(0x001F));
  fields.replace(10, 4, Word32(66));
  fields.replace(30, 4, Word32(3));
  Put("skin-bmp", "16-bit-fields", fields);
  // The 12-byte header of old: 16-bit width and height, 3-byte palette entries.
  QByteArray old("BM", 2);
  old += Word32(0) + Word32(26 + 6) + Word32(12);
  old += Bytes("\x03\x00\x02\x00\x01\x00\x01\x00");
  old += Bytes("\xff\x00\xff\x00\x00\x00") + Bytes("\xa0\x00\x00\x00\x40\x00\x00\x00");
  Put("skin-bmp", "old-header", old);
}

void Skins(const QString& folder) {
  const QList<skinpack::Entry> skin = skinpack::ReadSkinFolder(folder);
  if (skin.isEmpty()) {
    std::fprintf(stderr, "no skin in %s\n", qPrintable(folder));
    return;
  }
  const QByteArray ini = skin.first().bytes;
  const QByteArray small = skinpack::BuildArchive(CutDown(skin, 3));
  Put("skin-lzh", "ini", Flagged(0, skinpack::LzhEncodeFile(ini)));
  Put("skin-lzh", "bitmap-in-pieces", Flagged(6, skinpack::LzhEncodeFile(skin[1].bytes)));
  Put("skin-lzh", "nothing-after-length", Flagged(0, Word32(300)));
  Put("skin-lzh", "round-trip", Flagged(1, ini.left(600)));
  Put("skin-archive", "skin", Flagged(0, small));
  Put("skin-archive", "cut", Flagged(0, small.left(small.size() * 2 / 3)));
  Put("skin-archive", "older", Flagged(0, Word32(19999) + small.mid(4, 200)));
  Put("skin-archive", "entries", Flagged(1, Bytes("\x03\x08skin.INI\x05\x00[a]\r\n\x05" "A.bmp\x02\x00" "BM\x00\x00\x00")));
  // Small skins: the stream target skips archives longer than 2 KiB.
  const QByteArray tinyIni = "[TitlebarSkin]\r\nSkinName=tiny\r\n[Personality]\r\nLeft=l.bmp\r\nLeftTopHeight=3\r\n"
                             "LeftFrame=2\r\nTextBack=t.bmp\r\n[Colours]\r\nButtonFace=1 2 3\r\n[Button1]\r\nAction=0\r\n"
                             "ButtonImage=l.bmp\r\n[SunkEdge]\r\nImage=t.bmp\r\n[ComboButton]\r\nImage=l.bmp\r\n";
  const QList<skinpack::Entry> tiny{{"skin.ini", tinyIni},
                                    {"l.bmp", skintest::BmpOf(skintest::Pattern(8, 6, skintest::Coord))},
                                    {"t.bmp", skintest::BmpOf(skintest::Solid(5, 3, qRgb(255, 0, 255)))}};
  Put("skin-stream", "tiny", skinpack::LzhEncodeFile(skinpack::BuildArchive(tiny)));
  Put("skin-stream", "ini-only", skinpack::LzhEncodeFile(skinpack::BuildArchive({{"skin.ini", ini.left(1500)}})));
  Put("skin-stream", "too-long", Word32(64 * 1024 * 1024) + QByteArray(8, '\x55'));
  Put("skin-ini", "skin", ini);
  Put("skin-ini", "odd", "; comment\r\n[Sec]\nKey = 1\r\nkey=2\n[SEC]\nkey=3\n[ two ]\nX=$7FFFFFFF\nY=0x10\nZ=\n\n[]\n=v\n");
  Put("skin-ini", "gbk", Bytes("[\xc6\xa4\xb7\xf4]\nName=\xc4\xac\xc8\xcf\n[a]\nb=\xff\n"));
  // Elements: the header's picks and image sizes, then the INI.
  const QByteArray header("\x00\x05\x11\x2a\x1c\x1a\x09\x21\x30\x0c\x07\x07\x2f\x01\x00\x10", 16);
  Put("skin-elements", "skin", header + ini);
  Put("skin-elements", "both-huge", Bytes("\x01\x0c\x0b\x0a\x30\x30\x01\x01\x02\x03\x10\x20\x11\x21\x05\x05") + ini);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: cq-skin-seeds SKIN_FOLDER CORPUS_DIR\n");
    return 2;
  }
  corpus = QString::fromLocal8Bit(argv[2]);
  Bitmaps();
  Skins(QString::fromLocal8Bit(argv[1]));
  return 0;
}
