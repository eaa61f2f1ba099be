// The skin component: published defaults, the stored-skin stream, loading
// skin files, the not-loaded mark and the normalisation of SkinControls.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "skin/engine/Skin3rd.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "tests/skin_engine/TestSkins.h"
#include "tests/support/TestSupport.h"

namespace {

using skin::TSkinControlTypes;
using skin::TSkinData;

TEST(SkinData, PublishedDefaults) {
  TSkinData d;
  EXPECT_FALSE(d.Active());
  EXPECT_EQ(d.DisableTag(), 99);
  EXPECT_EQ(d.SkinControls().Mask(), 0x7FFFBu);
  EXPECT_FALSE(d.SkinControls().Contains(skin::xcMenuItem));
  EXPECT_FALSE(d.SkinControls().Contains(skin::xcFastReport));
  EXPECT_TRUE(d.SkinControls().Contains(skin::xcSystemMenu));
  EXPECT_EQ(d.Options(), 0u);
  EXPECT_EQ(d.SkinFormtype(), skin::sfMainform);
  EXPECT_TRUE(d.MenuUpdate());
  EXPECT_FALSE(d.MenuMerge());
  EXPECT_EQ(d.Skin3rd(), skin::DefaultSkin3rd());
  // Read-only values ignore writes.
  d.SetVersion(QStringLiteral("1.0"));
  d.SetSkinStore(QStringLiteral("(Good)"));
  EXPECT_EQ(d.Version(), QStringLiteral("3.02.03.09"));
  EXPECT_EQ(d.SkinStore(), QStringLiteral("(none)"));
  EXPECT_TRUE(d.NotLoaded());
  EXPECT_EQ(d.MenuGlyphs().Count(), 4);
  EXPECT_EQ(d.MenuGlyphs().Width(), 16);
}

TEST(SkinData, TheStreamHoldsACountThenTheBytesAndACountOfZeroOrLessLeavesNoSkin) {
  TSkinData d;
  const QByteArray stream = enginetest::FrameSkinStream({});
  d.ReadSkinStream(stream);
  EXPECT_FALSE(d.NotLoaded());
  EXPECT_EQ(d.SkinName(), QStringLiteral("test skin"));
  EXPECT_EQ(d.WriteSkinStream(), stream);

  TSkinData empty;
  EXPECT_EQ(empty.WriteSkinStream(), QByteArray(4, '\0'));  // the count alone
  for (const QByteArray& s : {QByteArray(4, '\0'), QByteArray::fromHex("ffffffff"), QByteArray::fromHex("0100")}) {
    empty.ReadSkinStream(s);
    EXPECT_TRUE(empty.StoredSkin().isEmpty());
    EXPECT_TRUE(empty.NotLoaded());
  }
}

TEST(SkinData, AssigningAMissingFileKeepsTheElementsButMarksTheSkinNotLoaded) {
  TSkinData d;
  d.ReadSkinStream(enginetest::FrameSkinStream({}));
  const int generation = d.Generation();
  d.SetSkinFile(QStringLiteral("/no/such/dir/7.skn"));
  EXPECT_TRUE(d.NotLoaded());
  EXPECT_EQ(d.SkinFile(), QStringLiteral("/no/such/dir/7.skn"));
  EXPECT_EQ(d.SkinName(), QStringLiteral("test skin"));
  EXPECT_EQ(d.Generation(), generation);

  // An existing file loads, and loading the same file again loads it again.
  QTemporaryDir dir;
  enginetest::FrameSpec spec;
  spec.name = QStringLiteral("second");
  const QString path = QDir(dir.path()).filePath(QStringLiteral("2.skn"));
  testing_support::WriteFile(path, enginetest::FrameSkinFile(spec));
  d.SetSkinFile(path);
  EXPECT_FALSE(d.NotLoaded());
  EXPECT_EQ(d.SkinName(), QStringLiteral("second"));
  const int once = d.Generation();
  d.SetSkinFile(path);
  EXPECT_EQ(d.Generation(), once + 1);
  skin::TSkinManage::Free();
}

TEST(SkinData, LoadedNormalisesSkinControlsByTheMainMenuElement) {
  {
    TSkinData d;
    d.SetSkinControls(TSkinControlTypes::FromMask(0xFFFFFu));
    d.Loaded();
    EXPECT_FALSE(d.SkinControls().Contains(skin::xcMenuItem));
    EXPECT_TRUE(d.SkinControls().Contains(skin::xcSystemMenu));
  }
  {
    TSkinData d;
    TSkinControlTypes set = TSkinControlTypes::FromMask(0xFFFFFu);
    set.Exclude(skin::xcMainMenu);
    d.SetSkinControls(set);
    d.Loaded();
    EXPECT_TRUE(d.SkinControls().Contains(skin::xcMenuItem));
    EXPECT_FALSE(d.SkinControls().Contains(skin::xcSystemMenu));
  }
  skin::TSkinManage::Free();
}

TEST(SkinData, ActiveCannotStartSkinningWhileNoSkinIsLoaded) {
  TSkinData d;
  d.BeginReading();
  d.SetActive(true);  // while being read: stored only
  d.Loaded();
  EXPECT_FALSE(d.Active());  // nothing loaded: switched off again
  ASSERT_NE(skin::TSkinManage::Instance(), nullptr);
  EXPECT_FALSE(skin::TSkinManage::Instance()->Active());
  skin::TSkinManage::Free();
}

TEST(Skin3rd, TheDefaultTableHas110LinesInItsOrder) {
  const QStringList& t = skin::DefaultSkin3rd();
  ASSERT_EQ(t.size(), 110);
  EXPECT_EQ(t.first(), QStringLiteral("TAdvPanelGroup=embedscrollbar"));
  EXPECT_EQ(t[1], QStringLiteral("TComboboxex=combobox"));
  EXPECT_EQ(t[2], QStringLiteral("TRxSpeedButton=speedbutton"));
  EXPECT_EQ(t[6], QStringLiteral("TAdvPageControl=nil"));
  EXPECT_EQ(t.last(), QStringLiteral("TOVCDBNUMERICFIELD=Edit"));
  EXPECT_EQ(t.count(QStringLiteral("TDBCheckboxEh=Checkbox")), 2);
  EXPECT_EQ(t.count(QStringLiteral("TLMDFontSizeCombobox=combobox")), 2);
  EXPECT_EQ(t.count(QStringLiteral("TWWDBCombobox=Combobox")), 2);
  for (const QString& line : t) EXPECT_EQ(line.count(u'='), 1) << line.toStdString();
}

}  // namespace
