#pragma once
// Where the shipped data is, and reading it through the program's cursor layer.
#include <gtest/gtest.h>

#include <QDir>
#include <QList>
#include <QStringList>
#include <QVariantList>

#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"

namespace shipped {

inline QString FromEnv(const char* name, const char* fallback) {
  const QString v = QString::fromLocal8Bit(qgetenv(name));
  return v.isEmpty() ? QString::fromUtf8(fallback) : v;
}
// The program's directory (its databases) and the source tree.
inline QString BinDir() { return FromEnv("CQ_BIN_DIR", CQ_DEFAULT_BIN_DIR); }
inline QString SourceDir() { return FromEnv("CQ_SOURCE_DIR", CQ_DEFAULT_SOURCE_DIR); }
// The unpacked poetry package: named by CQ_POETRY_PACKAGE, else where the
// full-library script keeps it (the cache folder CQ_CACHE_DIR,
// $XDG_CACHE_HOME/cinnabarquillpad or ~/.cache/cinnabarquillpad).
inline QString PoetryPackage() {
  QString package = QString::fromLocal8Bit(qgetenv("CQ_POETRY_PACKAGE"));
  if (!package.isEmpty()) return package;
  QString cache = QString::fromLocal8Bit(qgetenv("CQ_CACHE_DIR"));
  if (cache.isEmpty()) {
    const QString xdg = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
    cache = (xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.cache") : xdg) + QStringLiteral("/cinnabarquillpad");
  }
  return cache + QStringLiteral("/package");
}
// The settings file as shipped, not the one the reader's program wrote.
inline QString ShippedSetup() { return SourceDir() + QStringLiteral("/install/setup.ini"); }

// All rows of a query, each field as text.
inline QList<QStringList> Rows(const QString& file, const QString& password, const QString& sql,
                               const QVariantList& params = {}) {
  data::TADOQuery q(QStringLiteral("check"));
  q.SetConnectionString(data::MakeConnectionString(file, password));
  q.SetSQL(sql);
  if (!params.isEmpty()) q.SetParams(params);
  q.Open();
  QList<QStringList> rows;
  if (q.RecordCount() == 0) return rows;
  q.First();
  while (true) {
    QStringList r;
    for (int i = 0; i < q.FieldCount(); ++i) r << q.Fields(i).AsString();
    rows << r;
    if (q.RecNo() == q.RecordCount()) break;
    q.Next();
  }
  return rows;
}
inline QList<QStringList> Poetry(const QString& sql, const QVariantList& params = {}) {
  return Rows(data::kPoetryDbFile, data::kPoetryDbPassword, sql, params);
}

// Runs each test in the program's directory, where the databases open.
class ProgramData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(BinDir().isEmpty());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(BinDir()));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

 private:
  QString previous_;
};

}  // namespace shipped
