#pragma once
// The flat hint component: placed on the main form, it makes the flat hint window
// the application's hint window, sets the hint pauses (25 ms between neighbouring
// controls, 500 ms before showing, 5000 ms on screen) and forwards the
// application's show-hint event to its own OnShowHint. The hint window reads the
// colours, maximum width and font below each time it shows a hint.
#include <QFont>
#include <QObject>
#include <functional>

#include "controls/styled/FlatUtils.h"
#include "toolkit/HintManager.h"

namespace styled {

class TFlatHint : public QObject {
  Q_OBJECT
  Q_PROPERTY(int ColorBackground READ ColorBackground WRITE SetColorBackground)
  Q_PROPERTY(int ColorBorder READ ColorBorder WRITE SetColorBorder)
  Q_PROPERTY(int ColorArrowBackground READ ColorArrowBackground WRITE SetColorArrowBackground)
  Q_PROPERTY(int ColorArrow READ ColorArrow WRITE SetColorArrow)
  Q_PROPERTY(int MaxWidth READ MaxWidth WRITE SetMaxWidth)
  Q_PROPERTY(QFont Font READ Font WRITE SetFont)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  // `owner` is the form that holds the component (normally the main form).
  explicit TFlatHint(QObject* owner = nullptr);

  // Indexed colour setter: 0 ColorBackground, 1 ColorBorder, 2 ColorArrowBackground,
  // 3 ColorArrow. Stores only; a hint on screen keeps its colours.
  void SetColor(int index, platform::TColor v);
  platform::TColor ColorBackground() const { return colors_[0]; }
  void SetColorBackground(platform::TColor v) { SetColor(0, v); }
  platform::TColor ColorBorder() const { return colors_[1]; }
  void SetColorBorder(platform::TColor v) { SetColor(1, v); }
  platform::TColor ColorArrowBackground() const { return colors_[2]; }
  void SetColorArrowBackground(platform::TColor v) { SetColor(2, v); }
  platform::TColor ColorArrow() const { return colors_[3]; }
  void SetColorArrow(platform::TColor v) { SetColor(3, v); }
  // Window width at which the text wraps (the text itself wraps 22 pixels earlier).
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v) { maxWidth_ = v; }
  QFont Font() const { return font_; }
  void SetFont(const QFont& f) { font_ = f; }
  QString Version() const { return QString::fromLatin1(kFlatVersion); }
  void SetVersion(const QString& v) { version_ = v; }
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  // Forwarded from the application's show-hint event.
  std::function<void(QString& hintStr, bool& canShow, toolkit::THintInfo& info)> OnShowHint;

  // The component whose settings the hint window uses: the first one owned by the
  // application's main form; failing that, the first one anywhere in the program.
  static TFlatHint* Find();

 private:
  platform::TColor colors_[4] = {platform::clWhite, platform::clBlack, platform::RGB(255, 210, 83), platform::clBlack};
  int maxWidth_ = 200;
  QFont font_;
  QString version_;
  int tag_ = 0;
};

}  // namespace styled
