#pragma once
// Captions wrapped the way an edit control wraps them: at word boundaries, or
// inside a word (and between ideographs) when it does not fit the width.
#include <QFont>
#include <QStringList>

#include "controls/outbar/ItemLayout.h"

class QPainter;

namespace outbar {

// The widest line and the number of lines of `text` wrapped within `width`.
WrapResult MeasureWrapped(const QFont& font, const QString& text, int width);

// The lines drawn within `width` when at most `maxLines` lines fit: the last
// one ends in an ellipsis when text remains.
QStringList WrappedLines(const QFont& font, const QString& text, int width, int maxLines);

// Draws the caption in r without background: word-wrapped, whole lines only
// (lineHeight each), the last shown line cut with an ellipsis when text remains;
// centred or left-aligned. "&" is shown as is.
void DrawWrapped(QPainter& p, const QFont& font, const TRect& r, const QString& text, bool centred, int lineHeight);

}  // namespace outbar
