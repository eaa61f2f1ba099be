#pragma once
// Traditional script on the main window: while on, every text the reader reads
// there (text pane, info bar, form label and its hint, rows of both tables,
// items and group captions of both bars) is shown converted to traditional
// characters. The controls keep their stored, simplified texts, so queries,
// locates and sorting work on them exactly as before. Only what is painted is
// converted, through the converter's cache. While on, the targets wear faces
// that hold every traditional character, so no line grows for a character its
// face lacks.
#include <QFont>
#include <QHash>
#include <QString>
#include <functional>

#include "app/reading/ReadingTargets.h"
#include "toolkit/DisplayText.h"
#include "toolkit/HintManager.h"

namespace reading {

class ScriptConverter;

class TraditionalDisplay {
 public:
  TraditionalDisplay(const ReadingTargets& targets, ScriptConverter& converter);
  // Gives the hint component its own show-hint handler back.
  ~TraditionalDisplay();
  TraditionalDisplay(const TraditionalDisplay&) = delete;
  TraditionalDisplay& operator=(const TraditionalDisplay&) = delete;

  bool On() const { return on_; }
  // Switches every target over; raises when the converter cannot load.
  void SetOn(bool on);

  // The daily tip window's title and text join the targets (the window is
  // made after the main window), shown as the others are now.
  void SetTipTexts(toolkit::TLabel* title, toolkit::TMemo* text);
  // The face the pane's text is printed in.
  QFont PrintFace() const;
  // A stored text as the window shows it now.
  QString Shown(const QString& stored) const;
  // A keyword typed by the reader as the stored texts spell it: traditional
  // characters become simplified while traditional script is shown.
  QString StoredKeyword(const QString& typed) const;

 private:
  void Apply(const toolkit::TDisplayText& display);
  // Gives every target the traditional face, or its own font back.
  void ApplyFaces(bool traditional);

  ReadingTargets targets_;
  ScriptConverter& converter_;
  bool on_ = false;
  std::function<void(QString&, bool&, toolkit::THintInfo&)> previousShowHint_;
  // The fonts the targets had before the traditional faces, to give back.
  QHash<QWidget*, QFont> ownFonts_;
};

}  // namespace reading
