#pragma once
// Simplified and traditional Chinese script through OpenCC's phrase-aware
// conversions (its "s2t.json" and "t2s.json" profiles, which pick a character
// by the phrase it stands in: 头发 becomes 頭髮, 发现 becomes 發現).
//
// The dictionaries take a moment to load, so they load once, on a worker
// thread when Preload is called early, or on first use. Conversions to
// traditional script are cached: the texts painted again and again (names,
// titles, captions, table cells) are converted once.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <future>
#include <memory>

namespace reading {

class ScriptConverter {
 public:
  // The OpenCC profiles for each direction, found where OpenCC keeps its data.
  explicit ScriptConverter(QByteArray toTraditional = "s2t.json", QByteArray toSimplified = "t2s.json");
  ~ScriptConverter();
  ScriptConverter(const ScriptConverter&) = delete;
  ScriptConverter& operator=(const ScriptConverter&) = delete;

  // Starts loading the dictionaries in the background; no effect once started.
  void Preload();
  // Waits for the dictionaries; raises toolkit::Exception when OpenCC cannot
  // load a profile.
  void Load();
  bool Loaded() const { return engines_ != nullptr; }

  QString ToTraditional(const QString& simplified);
  QString ToSimplified(const QString& traditional);

  // How many converted texts the cache holds.
  int CachedCount() const { return static_cast<int>(cache_.size()); }
  void ClearCache() { cache_.clear(); }

 private:
  struct Engines;
  QByteArray toTraditional_, toSimplified_;
  std::future<std::unique_ptr<Engines>> loading_;
  std::unique_ptr<Engines> engines_;
  QHash<QString, QString> cache_;
};

}  // namespace reading
