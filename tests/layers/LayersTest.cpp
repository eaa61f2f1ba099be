// The product's layers, read from the includes of every source file:
// platform, then toolkit, then data, the styled controls, the outlook bar and
// the skin engine side by side (inside the engine: core, then engine, then
// frame, menu and control skinners), then the tip window and the main window.
// No file includes one of a layer above its own or beside it; tools may use
// every product layer but the windows, and nothing in the product uses tools,
// benchmarks or tests.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <map>
#include <vector>

namespace {

// A unit and what it may include besides itself.
struct Unit {
  const char* folder;
  std::vector<const char*> uses;
};

const std::vector<Unit>& Units() {
  static const std::vector<Unit> units = {
      {"platform/", {}},
      {"toolkit/", {"platform/"}},
      {"data/", {"platform/", "toolkit/"}},
      {"controls/styled/", {"platform/", "toolkit/"}},
      {"controls/outbar/", {"platform/", "toolkit/"}},
      {"skin/core/", {"platform/", "toolkit/"}},
      {"skin/engine/", {"platform/", "toolkit/", "skin/core/"}},
      {"skin/frame/", {"platform/", "toolkit/", "skin/core/", "skin/engine/", "skin/menu/", "skin/controls/"}},
      {"skin/menu/", {"platform/", "toolkit/", "skin/core/", "skin/engine/", "skin/frame/", "skin/controls/"}},
      {"skin/controls/", {"platform/", "toolkit/", "skin/core/", "skin/engine/", "skin/frame/", "skin/menu/"}},
      {"tip/", {"platform/", "toolkit/", "data/", "controls/", "skin/"}},
      {"app/", {"platform/", "toolkit/", "data/", "controls/", "skin/", "tip/"}},
      // Checked loosely: build-time tools stay below the windows.
      {"tools/", {"platform/", "toolkit/", "data/", "controls/", "skin/"}},
  };
  return units;
}

const Unit* UnitOf(const QString& path) {
  const Unit* best = nullptr;
  for (const Unit& u : Units())
    if (path.startsWith(QLatin1String(u.folder)) && (!best || qstrlen(u.folder) > qstrlen(best->folder))) best = &u;
  return best;
}

// Whether `file` (a path from the source root) may include `target` (the
// same); a target outside every unit (a system or generated header) is free.
bool Allowed(const QString& file, const QString& target) {
  const Unit* from = UnitOf(file);
  if (!from) return true;
  if (target.startsWith(QLatin1String("tests/")) || target.startsWith(QLatin1String("bench/"))) return false;
  const Unit* to = UnitOf(target);
  if (!to || to == from) return true;
  for (const char* used : from->uses)
    if (target.startsWith(QLatin1String(used))) return true;
  return false;
}

TEST(Layers, TheRuleTellsDownwardIncludesFromUpwardAndSidewaysOnes) {
  struct Case {
    const char* file;
    const char* target;
    bool allowed;
  };
  const Case cases[] = {
      {"toolkit/Form.cpp", "platform/Color.h", true},
      {"platform/Color.cpp", "toolkit/Form.h", false},
      {"skin/engine/SkinManage.cpp", "skin/core/SkinReader.h", true},
      {"skin/engine/SkinManage.cpp", "skin/frame/WinSkinForm.h", false},
      {"skin/engine/SkinData.cpp", "skin/menu/MenuHost.h", false},
      {"skin/core/SkinElements.cpp", "skin/engine/SkinData.h", false},
      {"skin/frame/WinSkinForm.cpp", "skin/engine/SkinData.h", true},
      {"skin/frame/WinSkinForm.cpp", "skin/controls/SkinControl.h", true},
      {"skin/menu/WinSkinMenu.cpp", "skin/frame/WinSkinForm.h", true},
      {"data/Cursor.cpp", "skin/engine/SkinData.h", false},
      {"controls/styled/FlatButton.cpp", "controls/outbar/OutBar.h", false},
      {"controls/outbar/OutBar.cpp", "controls/outbar/VertListView.h", true},
      {"tip/TipForm.cpp", "app/MainForm.h", false},
      {"app/main.cpp", "tip/TipForm.h", true},
      {"app/MainForm.cpp", "tools/dbbuild/Builder.h", false},
      {"app/MainForm.cpp", "tests/support/TestSupport.h", false},
      {"tools/gallery/main.cpp", "skin/engine/SkinData.h", true},
      {"tools/gallery/main.cpp", "app/MainForm.h", false},
      {"app/MainForm.cpp", "ui_MainForm.h", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " -> " << c.target);
    EXPECT_EQ(Allowed(QString::fromLatin1(c.file), QString::fromLatin1(c.target)), c.allowed);
  }
}

TEST(Layers, NoSourceFileIncludesALayerAboveOrBesideItsOwn) {
  const QDir root(QStringLiteral(CQ_SOURCE_DIR));
  static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"),
                                          QRegularExpression::MultilineOption);
  QStringList violations;
  std::map<QString, int> filesPerFolder;
  int includes = 0;
  for (const char* folder : {"platform", "toolkit", "data", "controls", "skin", "tip", "app", "tools"}) {
    QDirIterator it(root.filePath(QString::fromLatin1(folder)), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      const QString file = root.relativeFilePath(path);
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
      const QString text = QString::fromUtf8(f.readAll());
      ++filesPerFolder[QString::fromLatin1(folder)];
      for (auto m = include.globalMatch(text); m.hasNext();) {
        QString target = m.next().captured(1);
        // An include beside the file names it from the file's folder.
        const QString beside = QFileInfo(path).dir().filePath(target);
        if (!target.contains(u'/') && QFileInfo::exists(beside)) target = root.relativeFilePath(beside);
        ++includes;
        if (!Allowed(file, target)) violations << file + QStringLiteral(" -> ") + target;
      }
    }
  }
  // Every layer was read (a moved tree would otherwise pass unread).
  for (const char* folder : {"platform", "toolkit", "data", "controls", "skin", "tip", "app"})
    EXPECT_GT(filesPerFolder[QString::fromLatin1(folder)], 1) << folder;
  EXPECT_GT(includes, 500);
  EXPECT_TRUE(violations.isEmpty()) << violations.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
