#pragma once
// How a control shows the texts it holds. A control given a display function
// keeps its texts as they were set and passes them through the function only
// where it paints them, so code that reads a control's texts back (to locate a
// record, to sort, to compare) keeps seeing the stored texts.
#include <QString>
#include <functional>

namespace toolkit {

// Maps a stored text to the text shown for it; empty: shown as stored.
using TDisplayText = std::function<QString(const QString& stored)>;

inline QString ShownText(const TDisplayText& display, const QString& stored) {
  return display ? display(stored) : stored;
}

}  // namespace toolkit
