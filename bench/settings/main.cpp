// cq-bench-settings: a settings file of 100,000 keys read as the program reads
// it at start-up (the Chinese era list of 1,000 names, the foreign one, the tip
// window's flag and position), beside the anchor of reading the file's bytes
// and splitting them into lines in the same run (goal: <= 100 ms).
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Collections.h"
#include "toolkit/IniFile.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename F>
double Ms(F&& f) {
  QElapsedTimer t;
  t.start();
  f();
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main() {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("setup.ini"));
  QByteArray text = "[item]\r\nchina=1000\r\nfremdness=40\r\n[china]\r\n";
  for (int i = 1; i <= 1000; ++i) text += QByteArray::number(i) + "=era" + QByteArray::number(i) + "\r\n";
  text += "[fremdness]\r\n";
  for (int i = 1; i <= 40; ++i) text += QByteArray::number(i) + "=country" + QByteArray::number(i) + "\r\n";
  // The rest in sections before [tip], so every lookup of it passes them.
  for (int s = 0; text.count('\n') < 100000; ++s) {
    text += "[filler" + QByteArray::number(s) + "]\r\n";
    for (int k = 0; k < 1000; ++k) text += "key" + QByteArray::number(k) + "=some value of a filler key\r\n";
  }
  text += "[tip]\r\ntip=1\r\ncount=7\r\n";
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) return 1;
  out.close();

  std::vector<double> reads, anchors;
  qsizetype names = 0;
  for (int run = 0; run < 7; ++run) {
    reads.push_back(Ms([&] {
      names = app::ReadEraNames(file, app::ChineseWorks()).size() + app::ReadEraNames(file, app::ForeignWorks()).size();
      const toolkit::IniFile ini(file);
      names += ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false) ? 0 : 1;
      names += ini.ReadInteger(QStringLiteral("tip"), QStringLiteral("count"), 0) == 7 ? 0 : 1;
    }));
    anchors.push_back(Ms([&] {
      QFile in(file);
      in.open(QIODevice::ReadOnly);
      names += in.readAll().split('\n').size() > 0 ? 0 : 1;
    }));
  }
  std::printf("settings file of %lld lines (%lld KB): start-up reads %.1f ms (median of 7; %lld names), "
              "reading and splitting the file once %.1f ms, ratio %.1f   goal <= 100 ms\n",
              static_cast<long long>(text.count('\n')), static_cast<long long>(text.size() / 1024), Median(reads),
              static_cast<long long>(names), Median(anchors), Median(reads) / Median(anchors));
  return 0;
}
