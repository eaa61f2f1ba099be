#pragma once
// Work the font engine would otherwise do the first time an era lists its
// authors, done in short steps once the author bar has painted: the advance of
// every character of the authors' names in the author bar's font. CJK names
// are drawn through fallback fonts, and the engine looks each character up in
// them once, at some ten microseconds apiece; a large era holds thousands of
// different characters. Each step stops after a few milliseconds, so a reader
// who acts meanwhile waits no longer than that; what is left goes on later.
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace app {

class GlyphWarmup : public QObject {
 public:
  // `texts` gives the texts whose characters to measure in `widget`'s font;
  // it is called once, in the first step after the widget's first paint.
  GlyphWarmup(QWidget* widget, std::function<QString()> texts);
  // Whether every character has been measured.
  bool Done() const { return done_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step();

  QWidget* widget_;
  std::function<QString()> texts_;
  std::u32string pending_;  // distinct characters still to measure
  size_t next_ = 0;
  bool started_ = false;
  bool loaded_ = false;
  bool done_ = false;
};

}  // namespace app
