#pragma once
// The "阅读" menu of the main window and what it offers: traditional script
// (繁体显示), pinyin over the characters (注音), the vertical reading window
// (竖排阅读), printing (打印…) and PDF export (导出 PDF…). None of it is remembered between runs. When the reader
// does not use the menu, the main window works exactly as it would without it.
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/reading/PagePrinter.h"
#include "app/reading/PinyinPane.h"
#include "app/reading/ReadingTargets.h"
#include "app/reading/ScriptConverter.h"
#include "app/reading/ShownRecord.h"
#include "app/reading/TraditionalDisplay.h"
#include "app/reading/VerticalLayout.h"

class QAction;
class QPrinter;

namespace reading {

class TVerticalReader;

class ReadingExtras : public QObject {
  Q_OBJECT

 public:
  explicit ReadingExtras(const ReadingTargets& targets);
  ~ReadingExtras() override;

  // Menu entries.
  QAction* TraditionalItem = nullptr;  // 繁体显示, checkable
  QAction* PinyinItem = nullptr;       // 注音, checkable
  QAction* VerticalItem = nullptr;     // 竖排阅读
  QAction* PrintItem = nullptr;        // 打印…
  QAction* PdfItem = nullptr;          // 导出 PDF…

  // Handlers of the entries. TraditionalItemClick and PinyinItemClick follow
  // their entry's check mark.
  void TraditionalItemClick();
  void PinyinItemClick();
  void VerticalItemClick();
  void PrintItemClick();
  void PdfItemClick();

  // The daily tip window's title and text, shown in traditional script too.
  void SetTipTexts(toolkit::TLabel* title, toolkit::TMemo* text) { traditional_.SetTipTexts(title, text); }

  // For the main window: the keyword to search for, and the notice that the
  // text pane has just received the text of the record the cursor stands on.
  QString StoredKeyword(const QString& typed) const { return traditional_.StoredKeyword(typed); }
  void TextShown();

  TraditionalDisplay& Traditional() { return traditional_; }
  // 注音 in the text pane; it is on in the reading window and on paper too.
  PinyinPane& Pinyin() { return pinyin_; }
  ScriptConverter& Converter() { return converter_; }
  // The reading window, null until first opened.
  TVerticalReader* VerticalReader() const;
  const ShownRecord& Record() const { return record_; }
  // What the reading window shows and what a print puts on paper, as shown
  // now; StoredReadingText is the same as the database holds it.
  VerticalText ReadingText() const;
  VerticalText StoredReadingText() const;
  PrintedText TextToPrint() const;
  PrintDirection Direction() const;

  // Where the reader is asked; tests put their own answers here. AskPrinter
  // sets up the printer and says whether to print; AskPdfFile returns the
  // chosen file, "" to cancel.
  std::function<bool(QPrinter& printer)> AskPrinter;
  std::function<QString(const QString& suggested)> AskPdfFile;

 private:
  void BuildMenu();
  void PaneChanged();
  void FollowPane();

  ReadingTargets targets_;
  ScriptConverter converter_;
  TraditionalDisplay traditional_;
  ShownRecord record_;
  PinyinPane pinyin_;
  QPointer<TVerticalReader> reader_;
  bool followPending_ = false;
};

}  // namespace reading
