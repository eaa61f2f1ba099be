#include "platform/Dialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace platform {
namespace {

std::unique_ptr<Dialogs>& Installed() {
  static std::unique_ptr<Dialogs> dialogs;
  return dialogs;
}

QString DialogCaption(DialogKind kind) {
  switch (kind) {
    case DialogKind::Information: return QStringLiteral("信息");
    case DialogKind::Confirmation: return QStringLiteral("确认");
    case DialogKind::Warning: return QStringLiteral("警告");
    case DialogKind::Error: return QStringLiteral("错误");
  }
  return {};
}

QMessageBox::Icon DialogIcon(DialogKind kind) {
  switch (kind) {
    case DialogKind::Information: return QMessageBox::Information;
    case DialogKind::Confirmation: return QMessageBox::Question;
    case DialogKind::Warning: return QMessageBox::Warning;
    case DialogKind::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// Windows message texts use CR and CR LF; Qt wants plain line feeds.
QString PlainLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

int RunBox(QMessageBox& box) {
  box.setText(PlainLines(box.text()));
  const int r = box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (!clicked) return mrCancel;
  switch (box.standardButton(const_cast<QAbstractButton*>(clicked))) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return r == QMessageBox::Yes ? mrYes : mrCancel;
  }
}

}  // namespace

bool InstallQtTranslations() {
  static QTranslator* installed = nullptr;
  if (installed) return true;
  if (!QCoreApplication::instance()) return false;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  installed = translator;
  return true;
}

Dialogs& CurrentDialogs() {
  static QtDialogs qt;
  return Installed() ? *Installed() : qt;
}

std::unique_ptr<Dialogs> SetDialogs(std::unique_ptr<Dialogs> dialogs) {
  std::unique_ptr<Dialogs> previous = std::move(Installed());
  Installed() = std::move(dialogs);
  return previous;
}

QString ReaderMessage(const QString& advice, const QString& detail) {
  return detail.isEmpty() ? advice : advice + QLatin1Char('\n') + detail;
}

int QtDialogs::MessageDlg(const QString& text, DialogKind kind, DialogButtons buttons) {
  InstallQtTranslations();
  QMessageBox box(DialogIcon(kind), DialogCaption(kind), text,
                  buttons == DialogButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setProperty("windowClass", QStringLiteral("TMessageForm"));
  return RunBox(box);
}

void QtDialogs::ErrorBox(const QString& caption, const QString& text) {
  InstallQtTranslations();
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
  box.setProperty("windowClass", QStringLiteral("#32770"));
  RunBox(box);
}

void QtDialogs::MessageBox(const QString& caption, const QString& text) {
  InstallQtTranslations();
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
  box.setProperty("windowClass", QStringLiteral("#32770"));
  RunBox(box);
}

}  // namespace platform
