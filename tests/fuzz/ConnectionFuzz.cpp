// The connection text. The input (UTF-8) is read as a connection text, and,
// split at its first NUL byte, as a file name and a password to write one
// with: whatever file and password are written, reading the text gives them
// back (backslashes as "/"), and a text read and written again reads alike.
#include "data/Connection.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

using fuzz::Show;

QString Utf8(const QByteArray& b) { return QString::fromUtf8(b); }

int Run(const std::uint8_t* data, std::size_t size) {
  const QString text = Utf8(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const data::ConnectionInfo info = data::ParseConnectionString(text);
  CQ_FUZZ_CHECK_SAYING(!info.file.contains(u'\\'), Show(text));
  const data::ConnectionInfo again = data::ParseConnectionString(data::MakeConnectionString(info.file, info.password));
  CQ_FUZZ_CHECK_SAYING(again.file == info.file && again.password == info.password,
                       Show(text) << " read " << Show(info.file) << " " << Show(info.password) << " then "
                                  << Show(again.file) << " " << Show(again.password));

  const QList<QByteArray> parts = fuzz::Split(data, size, '\0', 2);
  if (parts.size() < 2) return 0;
  const QString file = Utf8(parts[0]), password = Utf8(parts[1]);
  const QString written = data::MakeConnectionString(file, password);
  const data::ConnectionInfo read = data::ParseConnectionString(written);
  CQ_FUZZ_CHECK_SAYING(read.file == QString(file).replace(u'\\', u'/') && read.password == password,
                       Show(file) << " " << Show(password) << " wrote " << Show(written) << " read " << Show(read.file)
                                  << " " << Show(read.password));
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("connection", Run)
