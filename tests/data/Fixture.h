#pragma once
// Builds small encrypted databases for the cursor tests and runs the tests in
// a temporary current directory, as the program opens its files relative to it.
#include <QDir>
#include <QTemporaryDir>

#include "data/Connection.h"
#include "data/Query.h"
#include "tools/mkdb/DbBuilder.h"

class DataFixture {
 public:
  DataFixture() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~DataFixture() { QDir::setCurrent(previous_); }

  // Writes dat/<name> with one table built from a table source text.
  void Build(const QString& name, const QString& password, const QString& table, const QString& source) {
    dbbuild::WriteDatabase(dir_.filePath(QStringLiteral("dat/") + name), password,
                           {dbbuild::ParseTableSource(table, source.toUtf8())});
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

 private:
  QTemporaryDir dir_;
  QString previous_;
};
