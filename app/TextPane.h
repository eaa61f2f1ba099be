#pragma once
// The text pane as the row handlers fill it: cleared, then given one text and
// scrolled to its top, on every notification of the tables. While the pane
// still holds, untouched, the text it was last given, giving it that text again
// only puts the caret and the view back where a refill leaves them; so a range
// selection over thousands of rows, which shows the same first row each time,
// costs little per row.
#include <QObject>
#include <QString>

namespace toolkit {
class TMemo;
}

namespace app {

class TextPane {
 public:
  explicit TextPane(toolkit::TMemo* memo);

  // One refill: the pane counts as cleared from its start. Show gives it the
  // text; a refill that ends without Show (a handler stopped by an error)
  // leaves the pane cleared.
  class Refill {
   public:
    explicit Refill(TextPane& pane) : pane_(pane) {}
    ~Refill();
    Refill(const Refill&) = delete;
    Refill& operator=(const Refill&) = delete;
    // Adds the text (line breaks kept) to the cleared pane and scrolls to the top.
    void Show(const QString& text);

   private:
    TextPane& pane_;
    bool shown_ = false;
  };

  // The number of the last Show while the pane still holds, untouched, the
  // text it gave; 0 once anything else has changed the pane.
  unsigned LastShow() const { return untouched_ ? shows_ : 0; }

 private:
  toolkit::TMemo* memo_;
  QObject watch_;  // scope of the connection that notices other changes of the pane
  QString last_;
  bool untouched_ = false;
  bool writing_ = false;
  unsigned shows_ = 0;
};

}  // namespace app
