#include "app/reading/ReadingExtras.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <algorithm>

#include "app/reading/VerticalReader.h"
#include "data/Query.h"
#include "toolkit/Dispatch.h"
#include "toolkit/StdCtrls.h"

namespace reading {

ReadingExtras::ReadingExtras(const ReadingTargets& targets)
    : targets_(targets), traditional_(targets, converter_), pinyin_(targets.textPane) {
  AskPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, targets_.window);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
  };
  AskPdfFile = [this](const QString& suggested) {
    return QFileDialog::getSaveFileName(targets_.window, QStringLiteral("导出 PDF"), suggested,
                                        QStringLiteral("PDF 文件 (*.pdf)"));
  };
  BuildMenu();
  if (targets_.textPane)
    connect(targets_.textPane, &QPlainTextEdit::textChanged, this, &ReadingExtras::PaneChanged);
}

ReadingExtras::~ReadingExtras() {
  if (reader_) delete reader_.data();
}

TVerticalReader* ReadingExtras::VerticalReader() const { return reader_; }

void ReadingExtras::BuildMenu() {
  if (!targets_.menu) return;
  auto add = [this](const QString& text, void (ReadingExtras::*handler)()) {
    QAction* a = targets_.menu->addAction(text);
    connect(a, &QAction::triggered, this, [this, handler] { toolkit::Dispatch(handler, this); });
    return a;
  };
  TraditionalItem = add(QStringLiteral("繁体显示"), &ReadingExtras::TraditionalItemClick);
  TraditionalItem->setCheckable(true);
  PinyinItem = add(QStringLiteral("注音"), &ReadingExtras::PinyinItemClick);
  PinyinItem->setCheckable(true);
  VerticalItem = add(QStringLiteral("竖排阅读"), &ReadingExtras::VerticalItemClick);
  targets_.menu->addSeparator();
  PrintItem = add(QStringLiteral("打印…"), &ReadingExtras::PrintItemClick);
  PdfItem = add(QStringLiteral("导出 PDF…"), &ReadingExtras::PdfItemClick);
  // The dictionaries load while the reader looks at the menu.
  connect(targets_.menu, &QMenu::aboutToShow, this, [this] { converter_.Preload(); });
}

void ReadingExtras::TraditionalItemClick() {
  const bool wanted = TraditionalItem ? TraditionalItem->isChecked() : !traditional_.On();
  // The check mark shows what is in force, also when switching failed.
  struct Mark {
    QAction* item;
    const TraditionalDisplay& display;
    ~Mark() {
      if (item) item->setChecked(display.On());
    }
  } mark{TraditionalItem, traditional_};
  traditional_.SetOn(wanted);
  // The pane's lines have their stored forms again only now.
  pinyin_.Refresh();
  FollowPane();
}

void ReadingExtras::PinyinItemClick() {
  const bool on = PinyinItem ? PinyinItem->isChecked() : !pinyin_.On();
  pinyin_.SetOn(on);
  if (reader_) reader_->SetPinyin(on);
  FollowPane();
}

void ReadingExtras::VerticalItemClick() {
  if (!reader_) {
    reader_ = new TVerticalReader(targets_.window);
    if (targets_.textPane) reader_->SetFace(targets_.textPane->font());
    // At the owner's right, below its header: the bars, the search strip and the
    // tables' first column stay in view.
    if (targets_.window) {
      const QRect owner = targets_.window->window()->geometry();
      reader_->move(std::max(owner.left(), owner.right() - reader_->width() - 16), owner.top() + 150);
    }
  }
  reader_->SetPinyin(pinyin_.On());
  reader_->SetText(ReadingText(), StoredReadingText());
  reader_->Show();
}

void ReadingExtras::TextShown() {
  if (targets_.poetry) record_ = RecordOf(*targets_.poetry);
  pinyin_.Refresh();
  FollowPane();
}

void ReadingExtras::PaneChanged() {
  // A pane emptied by a handler no longer shows the record it showed.
  if (targets_.textPane && targets_.textPane->document()->isEmpty()) record_ = ShownRecord();
  // Handlers write the pane in several steps: follow once they are done.
  if (followPending_ || !reader_) return;
  followPending_ = true;
  QTimer::singleShot(0, this, [this] {
    followPending_ = false;
    FollowPane();
  });
}

void ReadingExtras::FollowPane() {
  if (reader_) reader_->SetText(ReadingText(), StoredReadingText());
}

VerticalText ReadingExtras::ReadingText() const {
  VerticalText t;
  t.title = traditional_.Shown(record_.title);
  t.byline = traditional_.Shown(record_.byline);
  t.body = targets_.textPane ? targets_.textPane->Text() : QString();
  return t;
}

VerticalText ReadingExtras::StoredReadingText() const {
  return {record_.title, record_.byline, targets_.textPane ? targets_.textPane->StoredText() : QString()};
}

PrintedText ReadingExtras::TextToPrint() const {
  PrintedText t;
  const VerticalText shown = ReadingText();
  t.title = shown.title;
  t.byline = shown.byline;
  t.body = shown.body;
  const VerticalText stored = StoredReadingText();
  t.stored = {stored.title, stored.byline, QString(), stored.body};
  if (record_.kind != ShownRecord::kNone && targets_.poetry) {
    t.stored.era = EraOf(targets_.poetry->ConnectionString(), record_.author);
    t.era = traditional_.Shown(t.stored.era);
  }
  t.pinyin = pinyin_.On();
  return t;
}

PrintDirection ReadingExtras::Direction() const {
  return reader_ && reader_->isVisible() ? PrintDirection::Vertical : PrintDirection::Horizontal;
}

void ReadingExtras::PrintItemClick() {
  const PrintedText text = TextToPrint();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(text.title.isEmpty() ? QStringLiteral("Cinnabarquillpad") : text.title);
  if (!AskPrinter || !AskPrinter(printer)) return;
  PrintText(printer, text, Direction(), traditional_.PrintFace());
}

void ReadingExtras::PdfItemClick() {
  const PrintedText text = TextToPrint();
  QString name = text.title.isEmpty() ? QStringLiteral("Cinnabarquillpad") : text.title;
  name.replace(u'/', u'_');
  QString file = AskPdfFile ? AskPdfFile(QDir::home().filePath(name + QStringLiteral(".pdf"))) : QString();
  if (file.isEmpty()) return;
  if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
  WritePdf(file, text, Direction(), traditional_.PrintFace());
}

}  // namespace reading
