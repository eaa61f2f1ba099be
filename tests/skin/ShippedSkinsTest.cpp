// The seven skins the build paints and packs: they unpack to exactly the
// painted files, the stored default skin is the packed one, and each skin is
// complete and different from the others.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "skin/engine/DefaultSkin.h"
#include "skin/core/Lzh.h"
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinArchive.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace skin;

const QStringList kIds = {"default", "1", "2", "3", "4", "5", "6", "7"};

QString Folder(const QString& id) { return QDir(QStringLiteral(CQ_SKIN_SOURCES_DIR)).filePath(id); }

QByteArray SkinFile(const QString& id) {
  const QString path = id == QLatin1String("default")
                           ? QStringLiteral(CQ_DEFAULT_SKIN)
                           : QDir(QStringLiteral(CQ_SKINS_DIR)).filePath(QStringLiteral("%1.skn").arg(id));
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

TEST(ShippedSkins, PackAndUnpackToTheSameBytes) {
  testing_support::DialogScript dialogs;
  for (const QString& id : kIds) {
    const QList<skinpack::Entry> entries = skinpack::ReadSkinFolder(Folder(id));
    ASSERT_GT(entries.size(), 40) << id.toStdString();
    const QByteArray archive = skinpack::BuildArchive(entries);
    const QByteArray file = SkinFile(id);
    // The shipped file is exactly what packing the folder gives now.
    EXPECT_EQ(file, skinpack::LzhEncodeFile(archive)) << id.toStdString();
    EXPECT_EQ(TLZH::DecodeBuffer(file, 1 << 26), archive) << id.toStdString();
    TSkinReader reader;
    ASSERT_TRUE(reader.OpenSkin(file));
    ASSERT_EQ(reader.Count(), entries.size());
    for (const skinpack::Entry& entry : entries) {
      QByteArray bytes;
      ASSERT_TRUE(reader.FindEntry(QString::fromLatin1(entry.name), bytes)) << entry.name.constData();
      EXPECT_EQ(bytes, entry.bytes) << entry.name.constData();
    }
  }
}

TEST(ShippedSkins, TheStoredDefaultIsThePackedDefault) {
  const QByteArray stored = DefaultSkinBytes();
  ASSERT_FALSE(stored.isEmpty());
  EXPECT_EQ(stored, SkinFile("default"));
}

TEST(ShippedSkins, EveryElementIsPresentAndUsable) {
  testing_support::DialogScript dialogs;
  for (const QString& id : kIds) {
    SCOPED_TRACE(id.toStdString());
    TSkinElements e;
    ASSERT_TRUE(LoadSkinElements(SkinFile(id), e));
    EXPECT_FALSE(e.SkinName.isEmpty());
    for (const TDataSkinBorder* b : {&e.FrameLeft, &e.FrameRight, &e.FrameTop, &e.FrameBottom}) {
      ASSERT_FALSE(b->Image.isNull()) << b->Name.toStdString();
      EXPECT_EQ(b->FrameCount, 2);
    }
    // Rounded or square, the top-left corner pixel of a window is see-through
    // only when the skin rounds its corners; the middle of the left border never is.
    const QImage& left = e.FrameLeft.Image;
    EXPECT_NE(left.pixel(0, left.height() / 2), kMagenta);
    EXPECT_FALSE(e.Title.Image.isNull());
    EXPECT_FALSE(e.Buttons.Image.isNull());
    EXPECT_FALSE(e.Buttons.CheckImage.isNull());
    EXPECT_FALSE(e.Buttons.RadioImage.isNull());
    EXPECT_EQ(e.Buttons.CheckButtonFrame, 4);
    EXPECT_EQ(e.Buttons.RadioButtonFrame, 4);
    QList<int> actions;
    for (const auto& b : e.SysButtons) {
      actions << b->Action;
      if (b->Action != 3) {
        EXPECT_FALSE(b->Image.isNull()) << b->Name.toStdString();
      }
      if (!b->Image.isNull()) {
        EXPECT_EQ(b->Image.width() % b->FrameCount, 0) << b->Name.toStdString();
      }
    }
    for (const int action : {0, 1, 2, 3, 7, 8, 9}) EXPECT_TRUE(actions.contains(action)) << action;
    EXPECT_EQ(actions.count(1), 2);  // maximise and restore
    for (const auto& [name, o] : e.OptionalElements()) {
      ASSERT_NE(o, nullptr) << name.toStdString();
      ASSERT_FALSE(o->Image.isNull()) << name.toStdString();
      EXPECT_EQ(o->Image.width() % o->FrameCount, 0) << name.toStdString();
    }
    EXPECT_EQ(e.ComboButton->Style, 2);
    EXPECT_FALSE(e.Tabs->Image2.isNull());
    EXPECT_FALSE(e.Progress->Image2.isNull());
    EXPECT_FALSE(e.UpDownHorz->Image2.isNull());
    // No painted pixel comes near the transparent colour by accident.
    for (const TDataSkinBorder* b : {&e.FrameLeft, &e.FrameTop})
      for (int y = 0; y < b->Image.height(); ++y)
        for (int x = 0; x < b->Image.width(); ++x) {
          const QRgb p = b->Image.pixel(x, y);
          if (p != kMagenta) {
            ASSERT_FALSE(qRed(p) == 255 && qGreen(p) <= 1 && qBlue(p) == 255);
          }
        }
  }
}

TEST(ShippedSkins, SkinsAreDistinct) {
  testing_support::DialogScript dialogs;
  std::vector<std::unique_ptr<TSkinElements>> owned;
  for (const QString& id : kIds) {
    owned.push_back(std::make_unique<TSkinElements>());
    ASSERT_TRUE(LoadSkinElements(SkinFile(id), *owned.back()));
  }
  const QStringList names = {"默认", "古色古香", "海洋之心", "金属时代", "蓝色妖姬", "天然淡雅", "新奇前卫", "夜读"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(owned[i]->SkinName, names[i]);
    for (int j = i + 1; j < 8; ++j) {
      EXPECT_NE(owned[i]->Colours.ButtonFace, owned[j]->Colours.ButtonFace) << i << " " << j;
      EXPECT_NE(owned[i]->FrameTop.Image, owned[j]->FrameTop.Image) << i << " " << j;
      EXPECT_NE(owned[i]->Buttons.Image, owned[j]->Buttons.Image) << i << " " << j;
    }
  }
}

TEST(ShippedSkins, RoundedWindowsGetARegion) {
  testing_support::DialogScript dialogs;
  // A frame composed from the skin's borders is cut at its rounded corners.
  for (const QString& id : kIds) {
    TSkinElements e;
    ASSERT_TRUE(LoadSkinElements(SkinFile(id), e));
    const QImage& left = e.FrameLeft.Image;
    const int L = left.width() / e.FrameLeft.FrameCount;
    QImage frame(L, 200, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter p(&frame);
    DrawSkinImage(p, frame.rect(), left, false, false, false, 2, 1, e.FrameLeft.Margins);
    p.end();
    const QRegion region = RegionFromImage(frame, 0, 0, 1, 1, 1, kSkinKeyColor);
    const bool rounded = left.pixel(0, 0) == kMagenta;
    EXPECT_EQ(region.contains(QPoint(0, 0)), !rounded) << id.toStdString();
    EXPECT_TRUE(region.contains(QPoint(0, 100))) << id.toStdString();
  }
}

}  // namespace
