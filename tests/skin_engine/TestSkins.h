#pragma once
// Skins built for the engine's tests: borders of chosen widths and colours
// (active frame 1, inactive frame 2), optional caption buttons, packed as a
// skin file or a stored-skin stream.
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

namespace enginetest {

struct CaptionButtonSpec {
  QString section;  // "Button.Close"
  int action = 0;
  int align = 1;
  int xcoord = 0;
  int ycoord = 0;
  int visibility = 0;
  int visibility1 = 0;
  int width = 12;   // one frame
  int height = 10;
  int frames = 4;
  QColor colour = QColor(200, 0, 0);  // frame k is this colour darkened k steps
};

struct FrameSpec {
  int L = 4, T = 20, R = 3, B = 5;
  // Colours of the active and the inactive frame of each border.
  QColor left = QColor(10, 20, 30), leftInactive = QColor(110, 120, 130);
  QColor right = QColor(40, 50, 60), rightInactive = QColor(140, 150, 160);
  QColor top = QColor(70, 80, 90), topInactive = QColor(170, 180, 190);
  QColor bottom = QColor(100, 0, 100), bottomInactive = QColor(200, 100, 200);
  // Trans values of the borders (1: magenta pixels cut the window's region).
  int leftTrans = 0, rightTrans = 0, topTrans = 0, bottomTrans = 0;
  // A magenta corner pixel at the outer top of the left and right borders
  // and the outer bottom-left of the bottom border.
  bool magentaCorners = false;
  int textShift = 26, textRightClip = 40, textAlignment = 0;
  QColor buttonFace = QColor(212, 200, 180);
  QColor titleText = QColor(255, 255, 255), titleTextInactive = QColor(128, 128, 128);
  QList<CaptionButtonSpec> buttons;
  QString name = QStringLiteral("test skin");
};

// The colour of frame `k` of a caption button.
QColor ButtonFrameColour(const CaptionButtonSpec& b, int k);

// A whole skin file (the compressed archive).
QByteArray FrameSkinFile(const FrameSpec& spec);
// The stored-skin stream of that file (count, then bytes).
QByteArray FrameSkinStream(const FrameSpec& spec);
// The usual four buttons: close, maximise (Visibility 2), restore (Visibility 1)
// and minimise, right-aligned, plus the system-menu icon button at the left.
QList<CaptionButtonSpec> StandardButtons(int T);

}  // namespace enginetest
