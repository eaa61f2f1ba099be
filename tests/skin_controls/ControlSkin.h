#pragma once
// A skin for the control skinners' tests: every control element, each frame
// a solid colour of its own, so that a grabbed pixel tells which element and
// which frame was drawn there. Frame borders are plain 4-pixel strips.
#include <QColor>
#include <QImage>
#include <QString>
#include <memory>
#include <string>

namespace skin {
class TSkinData;
}

namespace controltest {

// The elements of the test skin.
enum Element {
  ePush = 1, eCheck, eRadio, eStatus, eCombo, eSunk, eExtra, eHeader, eArrows, eVertTrack, eHorzTrack,
  eVertThumb, eHorzThumb, eUpDown
};

// The colour of frame k of an element.
QRgb FrameColour(Element element, int k);

// The skin's colours.
inline const QColor kButtonFace(212, 200, 180);
inline const QColor kButtonText(3, 6, 9);
inline const QColor kWindow(18, 20, 26);
inline const QColor kNormal2(40, 0, 0), kMouseOver2(0, 40, 0), kPressed2(0, 0, 40);

struct Options {
  bool stateColours = true;  // the push buttons' NormalColour2 ... keys
  int toggleSize = 13;       // check and radio cells are toggleSize square
  // Colours are shifted by this much: a second skin for switching.
  int shift = 0;
  // The windows' contents in colours of the skin's own (Window=...).
  bool windowColours = false;
};

// The skin file and the stored-skin stream.
QByteArray ControlSkinFile(const Options& options = {});
QByteArray ControlSkinStream(const Options& options = {});
// A component loaded with the skin (not enrolled anywhere, never active).
std::unique_ptr<skin::TSkinData> LoadedSkin(const Options& options = {});
// One such component with the default options, shared by the tests that
// only read it.
skin::TSkinData& SharedSkin();

// A colour shifted as a second skin shifts it.
QRgb Shifted(QRgb c, int shift);

// Whether pixel (x, y) of `image` has colour `c` exactly.
bool PixelIs(const QImage& image, int x, int y, QRgb c);
std::string Hex(QRgb c);

}  // namespace controltest
