#include "tests/e2e/E2E.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

namespace e2e {

QString BinDir() { return QStringLiteral(CQ_BIN_DIR); }

QString SourceDir() { return QStringLiteral(CQ_SOURCE_DIR); }

QString ShotDir() {
  const QString dir = QDir::current().filePath(QStringLiteral("e2e-shots"));
  QDir().mkpath(dir);
  return dir;
}

VirtualDisplay::VirtualDisplay(QSize screen) {
  // Xvfb picks a free display number itself and writes it to its standard
  // output once it accepts connections: no other server started meanwhile on
  // this busy machine can take the number between a check and the start.
  // -noreset: by default the server resets whenever its last client leaves,
  // and a program or screenshot tool connecting during that reset is refused.
  xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                       QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()), QStringLiteral("-nolisten"),
                                       QStringLiteral("tcp"), QStringLiteral("-noreset")});
  if (!xvfb_.waitForStarted(5000)) return;
  QByteArray number;
  const QDeadlineTimer deadline(Patience(20000));
  while (!number.contains('\n') && xvfb_.state() == QProcess::Running && !deadline.hasExpired()) {
    xvfb_.waitForReadyRead(200);
    number += xvfb_.readAllStandardOutput();
  }
  bool isNumber = false;
  const int n = number.trimmed().toInt(&isNumber);
  if (!isNumber || xvfb_.state() != QProcess::Running) return;
  name_ = QStringLiteral(":%1").arg(n);
  ok_ = true;
}

VirtualDisplay::VirtualDisplay(const QString& runningDisplay) : name_(runningDisplay), ok_(!runningDisplay.isEmpty()) {}

VirtualDisplay::~VirtualDisplay() {
  xvfb_.terminate();
  xvfb_.waitForFinished(3000);
}

QProcessEnvironment VirtualDisplay::Environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), name_);
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  // In sanitizer builds, leaks of system libraries are not the program's.
  env.insert(QStringLiteral("LSAN_OPTIONS"),
             QStringLiteral("suppressions=%1/tests/lsan.supp:print_suppressions=0").arg(SourceDir()));
  return env;
}

namespace {

// Runs `program` on the display; *finished tells whether it ran to its end by
// itself with status 0 (a command killed on its timeout has not).
QString RunChecked(const VirtualDisplay& display, const QString& program, const QStringList& args, int timeoutMs,
                   bool* finished) {
  QProcess p;
  QProcessEnvironment env = display.Environment();
  // The tools read and print window names and typed text as UTF-8 only in a UTF-8 locale.
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  p.setProcessEnvironment(env);
  p.start(program, args);
  *finished = p.waitForFinished(Patience(timeoutMs));
  if (!*finished) {
    p.kill();
    p.waitForFinished(1000);
  }
  *finished = *finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

QString Run(const VirtualDisplay& display, const QString& program, const QStringList& args, int timeoutMs) {
  bool finished = false;
  return RunChecked(display, program, args, timeoutMs, &finished);
}

QImage Shot(const VirtualDisplay& display, const QString& name) {
  // The capture is written under a name of its own and read only when the tool
  // has finished cleanly: a capture killed on its timeout leaves a half-written
  // PNG, which is dropped and taken again, never read. Only a whole, readable
  // image is renamed to the shot's name.
  const QDir dir(ShotDir());
  const QString file = dir.filePath(name + QStringLiteral(".png"));
  // Suites running side by side share the shot folder and some poll names.
  const QString part = dir.filePath(QStringLiteral("%1.part-%2.png").arg(name).arg(QCoreApplication::applicationPid()));
  constexpr int kAttempts = 4;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    QFile::remove(part);
    bool finished = false;
    RunChecked(display, QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), part}, 20000,
               &finished);
    if (!finished) continue;
    QImage image;
    if (!image.load(part, "PNG")) continue;
    QFile::remove(file);
    QFile::rename(part, file);
    return image.convertToFormat(QImage::Format_RGB32);
  }
  QFile::remove(part);
  std::cerr << "no whole screenshot " << name.toStdString() << " in " << kAttempts << " attempts\n";
  return QImage();
}

// ---- the program ------------------------------------------------------------

namespace {

bool CopyTree(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
    if (!QDir().mkpath(QFileInfo(target).path())) return false;
    if (!QFile::copy(source, target)) return false;
    // Copies of the program keep their execute bit; data files become writable.
    QFile::setPermissions(target, QFile(source).permissions() | QFileDevice::WriteOwner);
  }
  return true;
}

// Section name of a line "[name]", or a null string for other lines.
QString SectionOf(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']')) return QString();
  return QString::fromLatin1(t.mid(1, t.size() - 2)).trimmed();
}

// Key name of a line "key=value", or a null string.
QString KeyOf(const QByteArray& line) {
  const qsizetype eq = line.indexOf('=');
  if (eq <= 0) return QString();
  return QString::fromLatin1(line.left(eq)).trimmed();
}

}  // namespace

ProgramCopy::ProgramCopy() {
  if (!dir_.isValid()) return;
  const QDir bin(BinDir());
  ok_ = QFile::copy(bin.filePath(QStringLiteral("cinnabarquillpad")), dir_.filePath(QStringLiteral("cinnabarquillpad"))) &&
        QFile::copy(QDir(SourceDir()).filePath(QStringLiteral("install/setup.ini")), SetupFile()) &&
        QFile::setPermissions(SetupFile(), QFile(SetupFile()).permissions() | QFileDevice::WriteOwner) &&
        CopyTree(bin.filePath(QStringLiteral("dat")), dir_.filePath(QStringLiteral("dat")));
  for (const char* optional : {"skins", "TTS5.MSI"}) {
    const QString name = QString::fromLatin1(optional);
    if (QFileInfo(bin.filePath(name)).isDir()) ok_ = ok_ && CopyTree(bin.filePath(name), dir_.filePath(name));
    else if (QFile::exists(bin.filePath(name))) ok_ = ok_ && QFile::copy(bin.filePath(name), dir_.filePath(name));
  }
}

QString ProgramCopy::SetupFile() const { return dir_.filePath(QStringLiteral("setup.ini")); }

bool ProgramCopy::SetTipSettings(const QString& tip, const QString& count) const {
  QFile file(SetupFile());
  if (!file.open(QIODevice::ReadOnly)) return false;
  QList<QByteArray> lines = file.readAll().split('\n');
  file.close();
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  const QByteArray tipLine = "tip=" + tip.toLatin1() + "\r";
  const QByteArray countLine = "count=" + count.toLatin1() + "\r";
  // Drop the [tip] section wherever it is, then append a fresh one.
  QList<QByteArray> kept;
  bool inTip = false;
  for (const QByteArray& line : lines) {
    const QString section = SectionOf(line);
    if (!section.isNull()) inTip = section.compare(QStringLiteral("tip"), Qt::CaseInsensitive) == 0;
    if (!inTip) kept.append(line);
  }
  kept.append("[tip]\r");
  kept.append(tipLine);
  kept.append(countLine);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(kept.join('\n') + '\n') > 0;
}

RunningProgram::RunningProgram(const VirtualDisplay& display, const ProgramCopy& copy,
                               const QProcessEnvironment& extraEnvironment, const QStringList& arguments) {
  QProcessEnvironment env = display.Environment();
  for (const QString& name : extraEnvironment.keys()) env.insert(name, extraEnvironment.value(name));
  process_.setProcessEnvironment(env);
  process_.setWorkingDirectory(copy.Dir());
  process_.start(QDir(copy.Dir()).filePath(QStringLiteral("cinnabarquillpad")), arguments);
  started_ = process_.waitForStarted(Patience(10000));
}

RunningProgram::~RunningProgram() {
  const bool running = process_.state() != QProcess::NotRunning;
  if (running) {
    process_.kill();
    process_.waitForFinished(5000);
  }
  // A failed run says how the program fared: a crash or an early exit is
  // otherwise only a black screenshot.
  if (::testing::Test::HasFailure()) {
    std::cerr << "program " << (running ? "was still running" : "had ended")
              << ", exit status " << process_.exitStatus() << ", code " << process_.exitCode() << "\n";
    const QByteArray err = process_.readAllStandardError();
    if (!err.isEmpty()) std::cerr << "its error output (last 4000 bytes):\n" << err.right(4000).toStdString() << "\n";
  }
}

bool RunningProgram::WaitForExit(int timeoutMs) {
  if (process_.state() == QProcess::NotRunning) return true;
  return process_.waitForFinished(Patience(timeoutMs));
}

QString RunningProgram::ErrorOutput() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

std::optional<QString> IniValue(const QString& fileName, const QString& section, const QString& key) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  bool inSection = false;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QString s = SectionOf(line);
    if (!s.isNull()) {
      inSection = s.compare(section, Qt::CaseInsensitive) == 0;
      continue;
    }
    if (inSection && KeyOf(line).compare(key, Qt::CaseInsensitive) == 0)
      return QString::fromLatin1(line.mid(line.indexOf('=') + 1)).trimmed();
  }
  return std::nullopt;
}

// ---- input ------------------------------------------------------------------

namespace {
QString Xdotool(const VirtualDisplay& display, const QStringList& args) {
  return Run(display, QStringLiteral("xdotool"), args, 10000);
}
}  // namespace

void MoveTo(const VirtualDisplay& display, QPoint p) {
  Xdotool(display, {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

void Click(const VirtualDisplay& display, QPoint p) {
  Xdotool(display, {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
                    QStringLiteral("1")});
}

namespace {
// Gives every character of the text that the display's keymap lacks a keycode of
// its own, kept for the display's life. Left to itself, xdotool binds such a
// character to a spare keycode only while it sends the key and undoes the
// binding at once; a program that reads the keymap again after the undo (a busy
// one does) sees a key without a symbol and types nothing.
void BindMissingKeysyms(const VirtualDisplay& display, const QString& text) {
  xcb_connection_t* c = xcb_connect(display.Name().toLocal8Bit().constData(), nullptr);
  struct Disconnect {
    xcb_connection_t* c;
    ~Disconnect() { xcb_disconnect(c); }
  } disconnect{c};
  if (xcb_connection_has_error(c)) return;
  const xcb_setup_t* setup = xcb_get_setup(c);
  const int first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> map(
      xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr), &std::free);
  if (!map) return;
  const int perKey = map->keysyms_per_keycode;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
  const auto held = [&](xcb_keysym_t sym) { return std::find(syms, syms + count * perKey, sym) != syms + count * perKey; };
  std::vector<xcb_keysym_t> bound;
  int nextFree = 0;
  for (const char32_t ch : text.toUcs4()) {
    // Latin-1 keysyms are the code points themselves; the rest are 0x01000000 + code point.
    const xcb_keysym_t sym = ch < 0x100 ? ch : 0x01000000u + ch;
    if (held(sym) || std::ranges::find(bound, sym) != bound.end()) continue;
    while (nextFree < count && std::any_of(syms + nextFree * perKey, syms + (nextFree + 1) * perKey,
                                           [](xcb_keysym_t s) { return s != 0; }))
      ++nextFree;
    if (nextFree == count) break;  // no spare keycode: xdotool binds the rest itself
    const std::vector<xcb_keysym_t> row(perKey, sym);
    xcb_change_keyboard_mapping(c, 1, static_cast<xcb_keycode_t>(first + nextFree), perKey, row.data());
    bound.push_back(sym);
    ++nextFree;
  }
  // The round trip makes sure the server holds the bindings before xdotool reads them.
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}
}  // namespace

void TypeText(const VirtualDisplay& display, const QString& text) {
  BindMissingKeysyms(display, text);
  Xdotool(display, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), text});
}

void PressKey(const VirtualDisplay& display, const QString& key) { Xdotool(display, {QStringLiteral("key"), key}); }

// ---- windows ----------------------------------------------------------------

QList<Window> VisibleWindows(const VirtualDisplay& display) {
  // The top-level windows are the root's children (there is no window manager);
  // popups such as the hint window are among them too.
  QList<Window> windows;
  static const QRegularExpression child(
      QStringLiteral("^\\s*(0x[0-9a-f]+) \"(.*)\": .*\\s(\\d+)x(\\d+)[+-]-?\\d+[+-]-?\\d+\\s+([+-]-?\\d+)([+-]-?\\d+)\\s*$"));
  const QString tree = Run(display, QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
  for (const QString& line : tree.split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch m = child.match(line);
    if (!m.hasMatch()) continue;
    const QString state = Run(display, QStringLiteral("xwininfo"), {QStringLiteral("-id"), m.captured(1)});
    if (!state.contains(QStringLiteral("Map State: IsViewable"))) continue;
    Window w;
    w.id = m.captured(1);
    w.title = m.captured(2);
    w.geometry = QRect(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    windows.append(w);
  }
  return windows;
}

std::optional<Window> WaitForWindow(const VirtualDisplay& display, const QString& title, int timeoutMs) {
  const QDeadlineTimer deadline(Patience(timeoutMs));
  for (;;) {
    for (const Window& w : VisibleWindows(display))
      if (w.title == title) return w;
    if (deadline.hasExpired()) return std::nullopt;
    QThread::msleep(100);
  }
}

bool WaitForWindowGone(const VirtualDisplay& display, const QString& title, int timeoutMs) {
  const QDeadlineTimer deadline(Patience(timeoutMs));
  for (;;) {
    bool present = false;
    for (const Window& w : VisibleWindows(display)) present = present || w.title == title;
    if (!present) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
}

// ---- a window manager ---------------------------------------------------------

WindowManager::WindowManager(const VirtualDisplay& display) {
  QProcessEnvironment env = display.Environment();
  openbox_.setProcessEnvironment(env);
  openbox_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
  if (!openbox_.waitForStarted(5000)) return;
  // Running once it has claimed the display: the root names its check window.
  const QDeadlineTimer deadline(Patience(10000));
  while (!deadline.hasExpired() && openbox_.state() == QProcess::Running) {
    if (Run(display, QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains(QStringLiteral("window id"))) {
      ok_ = true;
      return;
    }
    QThread::msleep(100);
  }
}

WindowManager::~WindowManager() {
  openbox_.terminate();
  if (!openbox_.waitForFinished(3000)) openbox_.kill();
}

QString WaitForClientWindow(const VirtualDisplay& display, const QString& title, int timeoutMs) {
  const QDeadlineTimer deadline(Patience(timeoutMs));
  // The titles searched for hold no pattern characters but dots, which match themselves too.
  const QString pattern = u'^' + title + u'$';
  for (;;) {
    const QStringList ids = Run(display, QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern})
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!ids.isEmpty()) return ids.first().trimmed();
    if (deadline.hasExpired()) return {};
    QThread::msleep(100);
  }
}

QString WindowProperty(const VirtualDisplay& display, const QString& id, const QString& property) {
  return Run(display, QStringLiteral("xprop"), {QStringLiteral("-id"), id, property}).trimmed();
}

bool IsViewable(const VirtualDisplay& display, const QString& id) {
  return Run(display, QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}).contains(QStringLiteral("IsViewable"));
}

// ---- screenshots and pixels -------------------------------------------------

bool WaitForShot(const VirtualDisplay& display, const QString& name, const std::function<bool(const QImage&)>& ready,
                 QImage* shot, int timeoutMs) {
  return WaitForShot([&] { return Shot(display, name); }, ready, shot, timeoutMs);
}

bool WaitForShot(const std::function<QImage()>& take, const std::function<bool(const QImage&)>& ready, QImage* shot,
                 int timeoutMs) {
  const QDeadlineTimer deadline(Patience(timeoutMs));
  QImage taken;
  for (;;) {
    taken = take();
    if (shot) *shot = taken;
    if (!taken.isNull() && ready(taken)) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(120);
  }
}

int CountPixels(const QImage& image, const QRect& r, const std::function<bool(QRgb)>& test) {
  const QRect area = r.intersected(image.rect());
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

QRect InkBox(const QImage& image, const QRect& r, const std::function<bool(QRgb)>& test) {
  const QRect area = r.intersected(image.rect());
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (test(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

int DifferentPixels(const QImage& a, const QImage& b, const QRect& r) {
  const QRect area = r.intersected(a.rect()).intersected(b.rect());
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  return n;
}

bool SameRegion(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb) {
  if (ra.size() != rb.size() || !a.rect().contains(ra) || !b.rect().contains(rb)) return false;
  for (int y = 0; y < ra.height(); ++y)
    for (int x = 0; x < ra.width(); ++x)
      if (a.pixel(ra.left() + x, ra.top() + y) != b.pixel(rb.left() + x, rb.top() + y)) return false;
  return true;
}

bool IsColor(QRgb p, int r, int g, int b, int tolerance) {
  return qAbs(qRed(p) - r) <= tolerance && qAbs(qGreen(p) - g) <= tolerance && qAbs(qBlue(p) - b) <= tolerance;
}

bool IsDark(QRgb p) { return qGray(p) < 110; }

bool IsColorAt(const QImage& image, QPoint p, int r, int g, int b, int tolerance) {
  return image.rect().contains(p) && IsColor(image.pixel(p), r, g, b, tolerance);
}

}  // namespace e2e
