#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/TestSupport.h"
#include "toolkit/Application.h"

using toolkit::StartFolder;

namespace {

// A temporary tree with a real program in real/ and a link to it in own/.
class StartFolderTest : public ::testing::Test {
 protected:
  QTemporaryDir root;
  QString Dir(const QString& name) const { return QDir(root.path()).filePath(name); }
  void SetUp() override {
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("real")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("own")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("plain")));
    MakeProgram(Dir(QStringLiteral("real/prog")));
    ASSERT_TRUE(QFile::link(Dir(QStringLiteral("real/prog")), Dir(QStringLiteral("own/prog"))));
  }
  static void MakeProgram(const QString& file, bool executable = true) {
    testing_support::WriteFile(file, "#!/bin/sh\n");
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) p |= QFile::ExeOwner;
    QFile::setPermissions(file, p);
  }
};

TEST_F(StartFolderTest, APathKeepsTheLinkFolderAndResolvesRelativeParts) {
  EXPECT_EQ(StartFolder(Dir(QStringLiteral("own/prog")), {}, QStringLiteral("/fallback")), Dir(QStringLiteral("own")));
  EXPECT_EQ(StartFolder(Dir(QStringLiteral("real/prog")), {}, QStringLiteral("/fallback")), Dir(QStringLiteral("real")));
  EXPECT_EQ(StartFolder(Dir(QStringLiteral("plain/../own/prog")), {}, QStringLiteral("/fallback")), Dir(QStringLiteral("own")));

  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(Dir(QStringLiteral("own"))));
  const QString relative = StartFolder(QStringLiteral("./prog"), {}, QStringLiteral("/fallback"));
  const QString up = StartFolder(QStringLiteral("../real/prog"), {}, QStringLiteral("/fallback"));
  QDir::setCurrent(before);
  EXPECT_EQ(relative, Dir(QStringLiteral("own")));
  EXPECT_EQ(up, Dir(QStringLiteral("real")));
}

TEST_F(StartFolderTest, ABareNameIsFoundInTheSearchPathLikeTheShellDoes) {
  MakeProgram(Dir(QStringLiteral("plain/prog")), false);  // not executable: the shell skips it
  const QStringList path{Dir(QStringLiteral("plain")), Dir(QStringLiteral("own")), Dir(QStringLiteral("real"))};
  EXPECT_EQ(StartFolder(QStringLiteral("prog"), path, QStringLiteral("/fallback")), Dir(QStringLiteral("own")));
  EXPECT_EQ(StartFolder(QStringLiteral("prog"), {Dir(QStringLiteral("real")), Dir(QStringLiteral("own"))},
                        QStringLiteral("/fallback")),
            Dir(QStringLiteral("real")));
}

TEST_F(StartFolderTest, WhatCannotBeFoundFallsBack) {
  EXPECT_EQ(StartFolder(QString(), {}, QStringLiteral("/fallback")), QStringLiteral("/fallback"));
  EXPECT_EQ(StartFolder(Dir(QStringLiteral("own/missing")), {}, QStringLiteral("/fallback")), QStringLiteral("/fallback"));
  EXPECT_EQ(StartFolder(QStringLiteral("missing-program-name"), {Dir(QStringLiteral("own"))}, QStringLiteral("/fallback")),
            QStringLiteral("/fallback"));
  // A link whose program is gone names no program.
  ASSERT_TRUE(QFile::remove(Dir(QStringLiteral("real/prog"))));
  EXPECT_EQ(StartFolder(Dir(QStringLiteral("own/prog")), {}, QStringLiteral("/fallback")), QStringLiteral("/fallback"));
}

}  // namespace
