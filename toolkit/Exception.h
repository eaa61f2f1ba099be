#pragma once
// Errors raised by the program and its libraries. Handlers catch none of them:
// the dispatcher shows them in the default error box.
#include <QString>
#include <exception>

namespace toolkit {

class Exception : public std::exception {
 public:
  explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
  const QString& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  QString message_;
  QByteArray utf8_;
};

// A text that is not a valid integer.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
// A settings file that could not be written.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};
// Misuse of a component, such as an out-of-range property value.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
// Errors of a database cursor or of the database engine beneath it.
class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};
// An error reported by the operating system or a platform service.
class EOSError : public Exception {
 public:
  using Exception::Exception;
};

// Strict integer conversion: raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const QString& text);
// The same, raising the same error also for a value above `most`.
int StrToIntAtMost(const QString& text, int most);

}  // namespace toolkit
