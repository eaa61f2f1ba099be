#pragma once
// Helpers for the outlook-bar suites: pointer events that also move the
// platform cursor (the hot-item polls read it), and a standard test list.
#include <QPoint>
#include <QWidget>

#include "controls/outbar/VertListView.h"

namespace outbar_test {

// Moves the cursor to `pos` of `w` and sends the pointer move.
void MoveTo(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton,
            Qt::KeyboardModifiers mods = Qt::NoModifier);
void Press(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers mods = Qt::NoModifier);
void Release(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier);

// A shown vertical list in the main window's look: small icons, ItemSpace 12,
// expanded selection, no images; `count` items "item 0", "item 1", ...
outbar::TDCVertListView* MakeList(QWidget* parent, int count, QSize size = QSize(120, 300));

// Client point in the middle of item i's caption line.
QPoint ItemCenter(outbar::TDCVertListView* list, int i);

}  // namespace outbar_test
