#pragma once
// A small anthology for the window tests: the three database files, a settings
// file and a program directory of their own, with scripted dialogs and shell.
#include <QDir>
#include <QTemporaryDir>

#include "data/Databases.h"
#include "platform/Gbk.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Application.h"
#include "tools/mkdb/DbBuilder.h"

class ReadingFixture {
 public:
  // `morePoems` adds rows to the poetry table (its source lines, tab-separated).
  explicit ReadingFixture(int tips = 10, const QByteArray& morePoems = {}) : previousDir_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    toolkit::TheApplication().SetProgramDir(dir_.path());
    toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
    Build(QStringLiteral("db3.dat"), data::kPoetryDbPassword,
          {{QStringLiteral("author"),
            "authorname\tauthoryear\tpoetryTotal:int\tcontent\tagename\n"
            "李白\t701—762\t3\t李白传\t唐代\n"
            "杜甫\t712—770\t12\t杜甫传\t唐代\n"
            "王维\t701—761\t9\t王维传\t唐代\n"
            "苏轼\t1037—1101\t\\N\t苏轼传\t宋代\n"},
           {QStringLiteral("poetry"),
            "title\tauthorname\tformatName\thead\tcontent\n"
            "静夜思\t李白\t五言绝句\t床前明月光\t床前明月光，疑是地上霜。\\r\\n举头望明月，低头思故乡。\n"
            "同句甲\t李白\t七言绝句\t同一句\t甲诗\n"
            "同句乙\t李白\t五言律诗\t同一句\t乙诗\n"
            "春望\t杜甫\t五言律诗\t国破山河在\t国破山河在，城春草木深。\n" + morePoems}});
    Build(QStringLiteral("db4.dat"), data::kFormatDbPassword,
          {{QStringLiteral("format"),
            "formatname\tcontent\n五言绝句\t四句，每句五字。\n诗词\t诗与词的总称。\n"}});
    QByteArray lore = "loreTitle\tcontent\n";
    for (int i = 1; i <= tips; ++i) lore += "T" + QByteArray::number(i) + "\t第" + QByteArray::number(i) + "条\n";
    Build(QStringLiteral("db5.dat"), data::kLoreDbPassword, {{QStringLiteral("lore"), lore}});
    WriteSetup(QStringLiteral("[item]\r\nchina=3\r\nfremdness=1\r\n[china]\r\n1=唐代\r\n2=宋代\r\n3=元代\r\n"
                              "[fremdness]\r\n1=英国\r\n[tip]\r\ntip=0\r\ncount=0\r\n"));
  }
  ~ReadingFixture() {
    QDir::setCurrent(previousDir_);
    toolkit::TheApplication().SetProgramDir(QString());
  }

  QString SetupPath() const { return dir_.filePath(QStringLiteral("setup.ini")); }
  void WriteSetup(const QString& text) const { testing_support::WriteFile(SetupPath(), platform::ToGbk(text)); }
  QString Setup() const { return platform::FromGbk(testing_support::ReadFile(SetupPath())); }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  testing_support::DialogScript dialogs;
  testing_support::ShellRecorder shell;

 private:
  void Build(const QString& file, const QString& password, const QList<QPair<QString, QByteArray>>& tables) {
    QList<dbbuild::Table> parsed;
    for (const auto& [name, source] : tables) parsed.append(dbbuild::ParseTableSource(name, source));
    dbbuild::WriteDatabase(dir_.filePath(QStringLiteral("dat/") + file), password, parsed);
  }

  QTemporaryDir dir_;
  QString previousDir_;
};
