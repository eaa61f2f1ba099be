#pragma once
// The looks of the seven skins: colours and the few shape choices that give
// each its character.
#include <QColor>
#include <QString>
#include <vector>

namespace skingen {

enum class Texture {
  Plain,      // smooth gradients
  Wood,       // grain lines across the caption
  Waves,      // soft horizontal waves
  Brushed,    // fine streaks
  Gloss,      // bright upper half
  Paper,      // faint speckles
  Stripes,    // bold diagonal stripes
};

struct Palette {
  QString id;         // folder and file name stem ("default", "1" ... "7")
  QString name;       // the skin's name
  QColor caption1;    // caption gradient, top
  QColor caption2;    // caption gradient, bottom
  QColor border;      // frame border
  QColor face;        // button face
  QColor light;       // highlights
  QColor shadow;      // shadows
  QColor dark;        // dark shadows and outlines
  QColor accent;      // hot and selected parts
  QColor closeColor;  // close button
  QColor window;      // edit and list backgrounds
  QColor text;        // button and menu text
  QColor titleText;
  QColor titleTextInactive;
  Texture texture = Texture::Plain;
  int corner = 4;        // rounding of window corners, buttons and tabs
  int borderWidth = 4;   // left, right and bottom frame widths
  int captionHeight = 24;
  bool roundButtons = false;  // caption buttons drawn as discs
  bool tileCaption = false;   // caption centre tiled instead of stretched
  bool squareToggles = false; // 16-pixel check and radio images with an explicit count
  // Light text on dark faces: the skin gives windows its own window colour
  // for their contents, and every state of a caption keeps the text colour.
  bool lightOnDark = false;
};

const std::vector<Palette>& Palettes();

}  // namespace skingen
