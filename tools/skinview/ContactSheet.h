#pragma once
// Draws a loaded skin as one picture: a sample window put together from the
// skin's parts, the colours, then every element with its frames side by side
// (magenta shown as a checkerboard, margins as cyan lines).
#include <QImage>

#include "skin/core/SkinElements.h"

namespace skinview {

QImage ContactSheet(const skin::TSkinElements& elements, const QString& title);
// A window of the given size painted from the skin's frame, caption and controls.
QImage SampleWindow(const skin::TSkinElements& elements, const QSize& size, bool active);

}  // namespace skinview
