#pragma once
// The in-memory skin: frame borders, caption settings and buttons, the skin's
// colours, push-button/check/radio images and one image element per kind of
// control part, read from a skin's INI text and its images.
#include <QBrush>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "platform/Color.h"
#include "skin/core/SkinDraw.h"

namespace skin {

class TQuickIni;
class TSkinReader;

class TDataSkinObject {
 public:
  virtual ~TDataSkinObject() = default;
  TSkinMargins Margins;
  QImage Image;
  int Trans = 0;
  // 1 tiles the centre, 0 stretches it; for the frame borders this holds the
  // border's Stretch value instead.
  int Tile = 0;
  QString Name;
  int FrameCount = 1;
  int Style = 0;
  platform::TColor NormalColour2 = 0;
  platform::TColor MouseOverColour2 = 0;
  platform::TColor PressedColour2 = 0;
};

// An element with a second image (Border, Chunk or GlyphImage).
class TDataSkinBorder : public TDataSkinObject {
 public:
  QImage Image2;
};

class TDataSkinButton : public TDataSkinObject {
 public:
  QImage CheckImage;
  QImage RadioImage;
  // Frame counts of the two images; derived from their sizes when the skin
  // gives none.
  int RadioButtonFrame = 0;
  int CheckButtonFrame = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

// Caption settings. Margins hold TextShift (Left), TextShiftVert (Top) and
// TextRightClip (Right); the image is the caption-text background.
class TDataSkinTitle : public TDataSkinObject {
 public:
  int TextAlignment = 0;
  int TXTBackleft = 0;
  int TXTBackRight = 0;
};

class TDataSkinSysButton : public TDataSkinObject {
 public:
  int Action = 0;
  int Align = 0;
  int Xcoord = 0;
  int Ycoord = 0;
  int CombineOp = -1;
  int Visibility = 0;
  int Visibility1 = 0;
};

struct TSkinColours {
  platform::TColor WindowText = 0, ButtonFace = 0, Scrollbar = 0, HilightText = 0, Hilight = 0, Menubar = 0,
                   Menu = 0, MenuText = 0, ButtonText = 0, ButtonHilight = 0, Buttonlight = 0, ButtonShadow = 0,
                   ButtonDkShadow = 0, MenuBarText = 0, TitleTextActive = 0, TitleTextNoActive = 0;
  // The background of text panes and lists when the skin gives one (a dark
  // skin does): windows then show their contents on it, their texts in
  // WindowText. clNone: contents keep their own colours.
  platform::TColor Window = platform::clNone;
};

class TSkinElements {
 public:
  TSkinElements();
  ~TSkinElements();
  TSkinElements(TSkinElements&&) noexcept;
  TSkinElements& operator=(TSkinElements&&) noexcept;

  QString SkinName;
  TSkinColours Colours;
  // The four frame borders: Left and Right frames lie side by side, Top and
  // Bottom frames are stacked.
  TDataSkinBorder FrameLeft, FrameRight, FrameTop, FrameBottom;
  TDataSkinTitle Title;
  TDataSkinButton Buttons;
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

  // Optional elements: null when the skin names no image for them.
  std::unique_ptr<TDataSkinBorder> Progress;
  std::unique_ptr<TDataSkinObject> MenuBar;
  std::unique_ptr<TDataSkinObject> GroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> Toolbars;
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> StatusBarEdges;
  std::unique_ptr<TDataSkinBorder> ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge;
  std::unique_ptr<TDataSkinObject> ExtraImages;
  std::unique_ptr<TDataSkinObject> Headerbar;
  std::unique_ptr<TDataSkinObject> MenuItem;
  std::unique_ptr<TDataSkinObject> MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar;
  std::unique_ptr<TDataSkinObject> HorzScroll;
  std::unique_ptr<TDataSkinObject> VertScroll;
  std::unique_ptr<TDataSkinObject> HorzScrollThumb;
  std::unique_ptr<TDataSkinObject> VertScrollThumb;
  std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
  std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
  std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
  std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
  std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
  std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
  std::unique_ptr<TDataSkinBorder> UpDownHorz;
  std::unique_ptr<TDataSkinBorder> UpDownVert;

  // A solid brush of the ButtonFace colour, recreated at every load.
  QBrush ButtonFaceBrush;
  // True until a skin has been read completely.
  bool NotLoaded = true;

  // Every optional element in reading order, with the name it is read under
  // (null entries for absent elements).
  std::vector<std::pair<QString, const TDataSkinObject*>> OptionalElements() const;
};

// Reads every section and key of the skin, derives frame counts and the
// combo-box composite, and puts the result in place of `elements`. False,
// with `elements` untouched, when the skin passes a bound of SkinBudget.h
// (its sections, caption buttons or image pixels).
bool ReadSkinElements(const TQuickIni& ini, const TSkinReader& reader, TSkinElements& elements);

// Decodes a skin file, parses its INI entry and reads its elements. When the
// skin is refused (its container, or a bound of SkinBudget.h, the INI's size
// among them): false after one message box, and the elements keep what they
// held, marked not loaded.
bool LoadSkinElements(const QByteArray& skinFile, TSkinElements& elements);

// A colour written as three numbers separated by anything that is not a digit.
platform::TColor ParseSkinColour(const QString& text, platform::TColor defaultValue);

// The frame count of a check or radio image that the skin gives no count for.
int DeriveToggleFrameCount(const QImage& image);
// The frame count of a caption button that the skin gives no count for.
int DeriveCaptionFrameCount(const QImage& image, int action);

}  // namespace skin
