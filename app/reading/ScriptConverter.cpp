#include "app/reading/ScriptConverter.h"

#include <opencc/opencc.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include "platform/Dialogs.h"
#include "platform/LateLibrary.h"
#include "toolkit/Exception.h"

namespace reading {

namespace {

// Beyond this many entries the cache starts again: it holds what the reader
// looks at, not the whole library.
constexpr int kCacheLimit = 200000;

const opencc_t kFailed = reinterpret_cast<opencc_t>(-1);

// The converter's functions, resolved when the traditional script is first
// asked for (the library and its dictionaries are not needed before).
struct OpenCC {
  decltype(&opencc_open) Open = nullptr;
  decltype(&opencc_close) Close = nullptr;
  decltype(&opencc_convert_utf8) ConvertUtf8 = nullptr;
  decltype(&opencc_convert_utf8_free) ConvertUtf8Free = nullptr;
  decltype(&opencc_error) Error = nullptr;
};

const OpenCC& LoadOpenCC() {
  static platform::LateLibrary library(QStringLiteral("opencc"), QStringLiteral("1.1"));
  static const platform::LateFunctions<OpenCC> converter =
      platform::OpenFunctions<OpenCC>(library, [](platform::FunctionBinder& bind, OpenCC& f) {
        bind(f.Open, "opencc_open");
        bind(f.Close, "opencc_close");
        bind(f.ConvertUtf8, "opencc_convert_utf8");
        bind(f.ConvertUtf8Free, "opencc_convert_utf8_free");
        bind(f.Error, "opencc_error");
      });
  if (!converter.table)
    throw toolkit::Exception(platform::ReaderMessage(
        QStringLiteral("繁体显示无法使用：找不到繁简转换库。请安装 libopencc1.1 后再试。"),
        QStringLiteral("OpenCC cannot be loaded: %1").arg(converter.failure)));
  return *converter.table;
}

// Every dictionary "file" of a profile made absolute under `dataDir`.
QJsonValue WithAbsoluteFiles(const QJsonValue& v, const QDir& dataDir) {
  if (v.isArray()) {
    QJsonArray a;
    for (const QJsonValue& item : v.toArray()) a.append(WithAbsoluteFiles(item, dataDir));
    return a;
  }
  if (!v.isObject()) return v;
  QJsonObject o = v.toObject();
  for (auto it = o.begin(); it != o.end(); ++it) {
    if (it.key() == QLatin1String("file") && it->isString()) *it = dataDir.absoluteFilePath(it->toString());
    else *it = WithAbsoluteFiles(*it, dataDir);
  }
  return o;
}

[[noreturn]] void ProfileFailed(const char* profile, const QString& why) {
  throw toolkit::Exception(platform::ReaderMessage(
      QStringLiteral("繁体显示无法使用：繁简转换的数据缺失。请安装 opencc 的数据后再试。"),
      QStringLiteral("OpenCC cannot load the profile %1: %2").arg(QString::fromLatin1(profile), why)));
}

// OpenCC looks a relative name up in the current folder first, for the
// profile and for each dictionary it names: a file planted there would change
// what the reader sees. The profile is read from OpenCC's data folder and
// handed over as a private copy whose dictionaries are named by absolute paths.
opencc_t OpenProfile(const char* profile) {
  const OpenCC& opencc = LoadOpenCC();
  const QDir dataDir(QStringLiteral(CQ_OPENCC_DATA_DIR));
  QFile source(dataDir.absoluteFilePath(QString::fromLatin1(profile)));
  if (!source.open(QIODevice::ReadOnly)) ProfileFailed(profile, source.errorString());
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(source.readAll(), &error);
  if (!doc.isObject()) ProfileFailed(profile, error.errorString());
  QTemporaryFile copy(QDir::temp().filePath(QStringLiteral("cq-opencc-XXXXXX.json")));
  const QByteArray text = QJsonDocument(WithAbsoluteFiles(doc.object(), dataDir).toObject()).toJson();
  if (!copy.open() || copy.write(text) != text.size() || !copy.flush()) ProfileFailed(profile, copy.errorString());
  const opencc_t handle = opencc.Open(QFile::encodeName(copy.fileName()).constData());
  if (handle == kFailed) ProfileFailed(profile, QString::fromUtf8(opencc.Error()));
  return handle;
}

}  // namespace

struct ScriptConverter::Engines {
  opencc_t toTraditional = kFailed;
  opencc_t toSimplified = kFailed;
  Engines(const QByteArray& s2t, const QByteArray& t2s) {
    toTraditional = OpenProfile(s2t.constData());
    try {
      toSimplified = OpenProfile(t2s.constData());
    } catch (...) {
      LoadOpenCC().Close(toTraditional);
      throw;
    }
  }
  ~Engines() {
    const OpenCC& opencc = LoadOpenCC();
    opencc.Close(toTraditional);
    opencc.Close(toSimplified);
  }
  static QString Convert(opencc_t handle, const QString& text) {
    const OpenCC& opencc = LoadOpenCC();
    const QByteArray utf8 = text.toUtf8();
    char* out = opencc.ConvertUtf8(handle, utf8.constData(), static_cast<size_t>(utf8.size()));
    if (out == nullptr)
      throw toolkit::Exception(
          platform::ReaderMessage(QStringLiteral("这段文字无法转换为繁体。"),
                                  QStringLiteral("OpenCC cannot convert the text: %1").arg(QString::fromUtf8(opencc.Error()))));
    const QString result = QString::fromUtf8(out);
    opencc.ConvertUtf8Free(out);
    return result;
  }
};

ScriptConverter::ScriptConverter(QByteArray toTraditional, QByteArray toSimplified)
    : toTraditional_(std::move(toTraditional)), toSimplified_(std::move(toSimplified)) {}

ScriptConverter::~ScriptConverter() {
  // A load still running finishes before its result goes away.
  if (loading_.valid()) loading_.wait();
}

void ScriptConverter::Preload() {
  if (engines_ || loading_.valid()) return;
  loading_ = std::async(std::launch::async, [s2t = toTraditional_, t2s = toSimplified_] {
    return std::make_unique<Engines>(s2t, t2s);
  });
}

void ScriptConverter::Load() {
  if (engines_) return;
  Preload();
  // get() hands on an error of the load; a later call starts a new one.
  std::future<std::unique_ptr<Engines>> loading = std::move(loading_);
  engines_ = loading.get();
}

QString ScriptConverter::ToTraditional(const QString& simplified) {
  if (simplified.isEmpty()) return simplified;
  const auto hit = cache_.constFind(simplified);
  if (hit != cache_.constEnd()) return hit.value();
  Load();
  const QString result = Engines::Convert(engines_->toTraditional, simplified);
  if (cache_.size() >= kCacheLimit) cache_.clear();
  cache_.insert(simplified, result);
  return result;
}

QString ScriptConverter::ToSimplified(const QString& traditional) {
  if (traditional.isEmpty()) return traditional;
  Load();
  return Engines::Convert(engines_->toSimplified, traditional);
}

}  // namespace reading
