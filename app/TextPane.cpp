#include "app/TextPane.h"

#include <QTextCursor>
#include <QTextDocument>

#include "toolkit/StdCtrls.h"

namespace app {

TextPane::TextPane(toolkit::TMemo* memo) : memo_(memo) {
  QObject::connect(memo->document(), &QTextDocument::contentsChange, &watch_, [this] {
    if (!writing_) untouched_ = false;
  });
}

TextPane::Refill::~Refill() {
  if (shown_) return;
  pane_.memo_->Lines().Clear();
}

void TextPane::Refill::Show(const QString& text) {
  shown_ = true;
  if (++pane_.shows_ == 0) pane_.shows_ = 1;
  toolkit::TMemo* memo = pane_.memo_;
  if (pane_.untouched_ && text == pane_.last_) {
    // What clearing and adding would leave: the caret after the text, nothing selected.
    const QTextCursor caret = memo->textCursor();
    if (caret.hasSelection() || !caret.atEnd()) {
      QTextCursor end(memo->document());
      end.movePosition(QTextCursor::End);
      memo->setTextCursor(end);
    }
  } else {
    pane_.writing_ = true;
    memo->Lines().Clear();
    memo->Lines().Add(text);
    pane_.writing_ = false;
    pane_.last_ = text;
    pane_.untouched_ = true;
  }
  memo->ScrollToTop();
}

}  // namespace app
