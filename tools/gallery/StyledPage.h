#pragma once
// The gallery page of the styled controls: the header look, the speech bar, and
// every flat control, glyph button style and kind, hint and picture panel.
class QWidget;

QWidget* MakeStyledPage();
