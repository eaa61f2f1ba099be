#pragma once
// The screen object: the list of the program's forms, in creation order.
#include <QList>

namespace toolkit {

class TForm;

class Screen {
 public:
  const QList<TForm*>& Forms() const { return forms_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }

  void AddForm(TForm* form) { forms_.append(form); }
  void RemoveForm(TForm* form) { forms_.removeAll(form); }

 private:
  QList<TForm*> forms_;
};

Screen& TheScreen();

}  // namespace toolkit
