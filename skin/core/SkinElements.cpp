#include "skin/core/SkinElements.h"

#include <QStringList>

#include "skin/core/QuickIni.h"
#include "skin/core/SkinBudget.h"
#include "skin/core/SkinReader.h"

namespace skin {

using platform::TColor;

TSkinElements::TSkinElements() = default;
TSkinElements::~TSkinElements() = default;
TSkinElements::TSkinElements(TSkinElements&&) noexcept = default;
TSkinElements& TSkinElements::operator=(TSkinElements&&) noexcept = default;

std::vector<std::pair<QString, const TDataSkinObject*>> TSkinElements::OptionalElements() const {
  return {{QStringLiteral("Progress"), Progress.get()},
          {QStringLiteral("MenuBar"), MenuBar.get()},
          {QStringLiteral("GroupBoxEdge"), GroupBoxEdge.get()},
          {QStringLiteral("GroupBox"), GroupBox.get()},
          {QStringLiteral("Toolbars"), Toolbars.get()},
          {QStringLiteral("Tabs"), Tabs.get()},
          {QStringLiteral("StatusBarEdges"), StatusBarEdges.get()},
          {QStringLiteral("ComboButton"), ComboButton.get()},
          {QStringLiteral("SunkEdge"), SunkEdge.get()},
          {QStringLiteral("ExtraImages"), ExtraImages.get()},
          {QStringLiteral("Headerbar"), Headerbar.get()},
          {QStringLiteral("MenuItem"), MenuItem.get()},
          {QStringLiteral("MenuBackground"), MenuBackground.get()},
          {QStringLiteral("Scrollbar"), Scrollbar.get()},
          {QStringLiteral("HorzScroll"), HorzScroll.get()},
          {QStringLiteral("VertScroll"), VertScroll.get()},
          {QStringLiteral("HorzScrollThumb"), HorzScrollThumb.get()},
          {QStringLiteral("VertScrollThumb"), VertScrollThumb.get()},
          {QStringLiteral("Trackbar.ThumbHorz"), TrackbarThumbHorz.get()},
          {QStringLiteral("Trackbar.ThumbVert"), TrackbarThumbVert.get()},
          {QStringLiteral("Trackbar.ThumbLeft"), TrackbarThumbLeft.get()},
          {QStringLiteral("Trackbar.ThumbRight"), TrackbarThumbRight.get()},
          {QStringLiteral("Trackbar.ThumbUp"), TrackbarThumbUp.get()},
          {QStringLiteral("Trackbar.ThumbDown"), TrackbarThumbDown.get()},
          {QStringLiteral("UpDown.Horz"), UpDownHorz.get()},
          {QStringLiteral("UpDown.Vert"), UpDownVert.get()}};
}

TColor ParseSkinColour(const QString& text, TColor defaultValue) {
  if (text.isEmpty()) return defaultValue;
  unsigned parts[3] = {0, 0, 0};
  int stored = 0;
  unsigned pending = 0;
  bool inNumber = false;
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9') {
      pending = pending * 10 + static_cast<unsigned>(c - u'0');
      inNumber = true;
    } else if (inNumber) {
      if (stored < 3) parts[stored] = pending;
      ++stored;
      pending = 0;
      inNumber = false;
    }
  }
  // Digits still pending at the end count only as the blue component.
  if (inNumber && stored == 2) parts[2] = pending;
  return platform::RGB(static_cast<int>(parts[0] & 0xFF), static_cast<int>(parts[1] & 0xFF),
                       static_cast<int>(parts[2] & 0xFF));
}

int DeriveToggleFrameCount(const QImage& image) {
  const int unit = image.height() < 16 ? 13 : 16;
  return std::max(4, image.width() / unit);
}

int DeriveCaptionFrameCount(const QImage& image, int action) {
  int count = 6;
  if (!image.isNull() && image.height() > 0) {
    const double ratio = static_cast<double>(image.width()) / image.height();
    count = ratio <= 3.8 ? 3 : 6;
    if (action < 0) count = 6;
  }
  return count;
}

namespace {

// Margins are widths inside their image: clamped to it when read, so that
// sums of them stay far inside the range of an int.
TSkinMargins ClampToImage(TSkinMargins m, const QImage& image) {
  m.Left = std::clamp(m.Left, 0, image.width());
  m.Right = std::clamp(m.Right, 0, image.width());
  m.Top = std::clamp(m.Top, 0, image.height());
  m.Bottom = std::clamp(m.Bottom, 0, image.height());
  return m;
}

// Places and shifts (caption text, caption buttons, group-box labels) within
// the range of window coordinates.
int ClampOffset(int v) { return std::clamp(v, -budget::kMaxOffset, budget::kMaxOffset); }

struct Reading {
  const TQuickIni& ini;
  TSkinImages& images;
  TSkinElements& e;

  QString Str(const QString& section, const QString& key) const { return ini.ReadString(section, key, QString()); }
  int Int(const QString& section, const QString& key, int def) const { return ini.ReadInteger(section, key, def); }
  QImage Image(const QString& section, const QString& key) const { return images.Read(Str(section, key)); }
  TColor Colour(const QString& section, const QString& key, TColor def) const {
    return ParseSkinColour(Str(section, key), def);
  }
  TSkinMargins Margins(const QString& section) const {
    TSkinMargins m;
    m.Left = Int(section, QStringLiteral("LeftWidth"), 0);
    m.Right = Int(section, QStringLiteral("RightWidth"), 0);
    m.Top = Int(section, QStringLiteral("TopHeight"), 0);
    m.Bottom = Int(section, QStringLiteral("BottomHeight"), 0);
    return m;
  }
  void StateColours(const QString& section, TDataSkinObject& o) const {
    const TColor text = e.Colours.ButtonText;
    o.NormalColour2 = Colour(section, QStringLiteral("NormalColour2"), text);
    o.MouseOverColour2 = Colour(section, QStringLiteral("MouseOverColour2"), text);
    o.PressedColour2 = Colour(section, QStringLiteral("PressedColour2"), text);
  }

  // A generic element: absent without key Image; tile values above 1 read 0.
  template <class T>
  std::unique_ptr<T> Object(const QString& section, const QString& secondKey = QString()) const {
    const QString imageName = Str(section, QStringLiteral("Image"));
    if (imageName.isEmpty()) return nullptr;
    auto o = std::make_unique<T>();
    o->Name = section;
    o->Image = images.Read(imageName);
    o->Style = Int(section, QStringLiteral("Style"), 0);
    o->Margins = ClampToImage(Margins(section), o->Image);
    o->Trans = Int(section, QStringLiteral("Trans"), 0);
    o->Tile = Int(section, QStringLiteral("Tile"), 0);
    if (o->Tile > 1) o->Tile = 0;
    StateColours(section, *o);
    if constexpr (std::is_base_of_v<TDataSkinBorder, T>) {
      if (!secondKey.isEmpty()) o->Image2 = Image(section, secondKey);
    }
    return o;
  }

  void Border(const QString& name, TDataSkinBorder& b) const {
    const QString s = QStringLiteral("Personality");
    b = TDataSkinBorder();
    b.Name = name;
    b.Image = Image(s, name);
    const int first = Int(s, name + QStringLiteral("TopHeight"), 0);
    const int second = Int(s, name + QStringLiteral("BotHeight"), 0);
    if (name == QLatin1String("Left") || name == QLatin1String("Right")) {
      b.Margins.Top = first;
      b.Margins.Bottom = second;
    } else {
      b.Margins.Left = first;
      b.Margins.Right = second;
    }
    b.Margins = ClampToImage(b.Margins, b.Image);
    b.FrameCount = Int(s, name + QStringLiteral("Frame"), 1);
    b.Tile = Int(s, name + QStringLiteral("Stretch"), 1);
    b.Trans = Int(s, name + QStringLiteral("Trans"), 1);
    StateColours(s, b);
  }

  void ColoursSection() const {
    const QString s = QStringLiteral("Colours");
    using platform::SysColor;
    TSkinColours& c = e.Colours;
    c.WindowText = Colour(s, QStringLiteral("WindowText"), SysColor(platform::COLOR_WINDOWTEXT));
    c.ButtonFace = Colour(s, QStringLiteral("ButtonFace"), SysColor(platform::COLOR_BTNFACE));
    c.Scrollbar = Colour(s, QStringLiteral("Scrollbar"), SysColor(platform::COLOR_SCROLLBAR));
    c.HilightText = Colour(s, QStringLiteral("HilightText"), SysColor(platform::COLOR_HIGHLIGHTTEXT));
    c.Hilight = Colour(s, QStringLiteral("Hilight"), SysColor(platform::COLOR_HIGHLIGHT));
    c.Menubar = Colour(s, QStringLiteral("Menubar"), c.ButtonFace);
    c.Menu = Colour(s, QStringLiteral("Menu"), SysColor(platform::COLOR_MENU));
    c.MenuText = Colour(s, QStringLiteral("MenuText"), SysColor(platform::COLOR_MENUTEXT));
    c.ButtonText = Colour(s, QStringLiteral("ButtonText"), SysColor(platform::COLOR_BTNTEXT));
    c.ButtonHilight = Colour(s, QStringLiteral("ButtonHilight"), SysColor(platform::COLOR_BTNHIGHLIGHT));
    c.Buttonlight = Colour(s, QStringLiteral("Buttonlight"), SysColor(platform::COLOR_BTNHIGHLIGHT));
    c.ButtonShadow = Colour(s, QStringLiteral("ButtonShadow"), SysColor(platform::COLOR_BTNSHADOW));
    c.ButtonDkShadow = Colour(s, QStringLiteral("ButtonDkShadow"), SysColor(platform::COLOR_3DDKSHADOW));
    c.MenuBarText = Colour(s, QStringLiteral("MenuBarText"), SysColor(platform::COLOR_MENUTEXT));
    c.TitleTextActive = Colour(s, QStringLiteral("TitleTextActive"), SysColor(platform::COLOR_CAPTIONTEXT));
    c.TitleTextNoActive =
        Colour(s, QStringLiteral("TitleTextNoActive"), SysColor(platform::COLOR_INACTIVECAPTIONTEXT));
    c.Window = Colour(s, QStringLiteral("Window"), platform::clNone);
  }

  void CaptionButtons() const {
    e.SysButtons.clear();
    QStringList sections;
    ini.ReadSections(sections);
    for (const QString& section : sections) {
      const QString upper = section.toUpper();
      if (!upper.startsWith(QLatin1String("BUTTON")) || upper == QLatin1String("BUTTON") ||
          upper == QLatin1String("BUTTONS") || upper == QLatin1String("BUTTON.RADIO") ||
          upper == QLatin1String("BUTTON.CHECKBOX"))
        continue;
      const int action = Int(section, QStringLiteral("Action"), 0);
      if (action == -1 && Int(section, QStringLiteral("Visibility"), -1) != 0) continue;
      if (e.SysButtons.size() >= static_cast<size_t>(budget::kMaxCaptionButtons))
        throw ESkinOverBudget("the skin has too many caption buttons");
      auto b = std::make_unique<TDataSkinSysButton>();
      b->Name = upper;
      b->Action = action;
      b->Align = Int(section, QStringLiteral("Align"), 0);
      b->Xcoord = ClampOffset(Int(section, QStringLiteral("Xcoord"), 0));
      b->Ycoord = ClampOffset(Int(section, QStringLiteral("Ycoord"), 0));
      b->Visibility = Int(section, QStringLiteral("Visibility"), 0);
      b->Visibility1 = Int(section, QStringLiteral("Visibility1"), action == -1 ? -1 : 0);
      b->CombineOp = Int(section, QStringLiteral("CombineOp"), -1);
      b->FrameCount = Int(section, QStringLiteral("frame"), 0);
      b->Image = Image(section, QStringLiteral("ButtonImage"));
      StateColours(section, *b);
      if (b->FrameCount == 0) {
        b->FrameCount = DeriveCaptionFrameCount(b->Image, action);
        // These buttons show the window icon instead of an image.
        if (action == 3 || action == 11) b->Image = QImage();
      }
      e.SysButtons.push_back(std::move(b));
    }
    // The minimise, restore and close buttons of a maximised MDI child, cut
    // from one image of twelve cells.
    const QImage mdi = Image(QStringLiteral("MDICONTROLS"), QStringLiteral("Image"));
    const int w = mdi.isNull() ? 0 : mdi.width() / 12;
    for (int k = 0; k < 3; ++k) {
      auto b = std::make_unique<TDataSkinSysButton>();
      b->Name = QStringLiteral("MDICONTROLS");
      b->Action = 7 + k;
      b->Align = b->Visibility = b->Visibility1 = 100;
      b->FrameCount = 4;
      b->NormalColour2 = b->MouseOverColour2 = b->PressedColour2 = e.Colours.ButtonText;
      if (!mdi.isNull()) {
        // An image narrower than 12 cells gives empty buttons, still in their places.
        if (w > 0) {
          images.Charge(4LL * w * mdi.height());
          b->Image = mdi.copy(4 * k * w, 0, 4 * w, mdi.height());
        }
        b->Xcoord = (w + 4) * (3 - k);
      }
      e.SysButtons.push_back(std::move(b));
    }
  }

  void PushButtons() const {
    const QString s = QStringLiteral("Buttons");
    TDataSkinButton& b = e.Buttons;
    b = TDataSkinButton();
    b.Name = s;
    b.Trans = Int(s, QStringLiteral("Trans"), 0);
    b.Image = Image(s, QStringLiteral("Bitmap"));
    b.Margins = ClampToImage(Margins(s), b.Image);
    b.Tile = Int(s, QStringLiteral("Tile"), 0);
    b.CheckImage = Image(s, QStringLiteral("CheckButton"));
    b.RadioImage = Image(s, QStringLiteral("RadioButton"));
    b.RadioButtonFrame = Int(s, QStringLiteral("RadioButtonFrame"), 0);
    b.CheckButtonFrame = Int(s, QStringLiteral("CheckButtonFrame"), 0);
    b.HasNormalColour2 = !Str(s, QStringLiteral("NormalColour2")).isEmpty();
    b.HasMouseOverColour2 = !Str(s, QStringLiteral("MouseOverColour2")).isEmpty();
    b.HasPressedColour2 = !Str(s, QStringLiteral("PressedColour2")).isEmpty();
    StateColours(s, b);
  }

  void TitleSection() const {
    const QString s = QStringLiteral("Personality");
    TDataSkinTitle& t = e.Title;
    t = TDataSkinTitle();
    t.Name = QStringLiteral("Title");
    t.Image = Image(s, QStringLiteral("TextBack"));
    t.Margins.Left = ClampOffset(Int(s, QStringLiteral("TextShift"), 0));
    t.Margins.Top = ClampOffset(Int(s, QStringLiteral("TextShiftVert"), 0));
    t.Margins.Right = ClampOffset(Int(s, QStringLiteral("TextRightClip"), 0));
    t.TextAlignment = Int(s, QStringLiteral("TextAlignment"), 0);
    // The caps of the caption-text plate: margins of its image.
    t.TXTBackleft = std::clamp(Int(s, QStringLiteral("TXTBackleft"), 0), 0, t.Image.width());
    t.TXTBackRight = std::clamp(Int(s, QStringLiteral("TXTBackRight"), 0), 0, t.Image.width());
    StateColours(s, t);
  }

  void ProgressSection() const {
    const QString s = QStringLiteral("Progress");
    e.Progress.reset();
    const QString bitmap = Str(s, QStringLiteral("Bitmap"));
    if (bitmap.isEmpty()) return;
    auto p = std::make_unique<TDataSkinBorder>();
    p->Name = s;
    p->Image = images.Read(bitmap);
    p->Image2 = Image(s, QStringLiteral("Chunk"));
    p->Style = Int(s, QStringLiteral("Style"), 0);
    p->Margins = ClampToImage(Margins(s), p->Image);
    p->Trans = Int(s, QStringLiteral("Trans"), 0);
    p->Tile = Int(s, QStringLiteral("Tile"), 0);
    StateColours(s, *p);
    e.Progress = std::move(p);
  }

  void MenuBarSection() const {
    const QString s = QStringLiteral("Personality");
    e.MenuBar.reset();
    const QString bitmap = Str(s, QStringLiteral("menuBar"));
    if (bitmap.isEmpty()) return;
    auto m = std::make_unique<TDataSkinObject>();
    m->Name = QStringLiteral("MenuBar");
    m->Image = images.Read(bitmap);
    m->Tile = Int(s, QStringLiteral("TileMenu"), 0);
    m->Margins.Left = Int(s, QStringLiteral("TileLeftMenu"), 1);
    m->Margins.Right = Int(s, QStringLiteral("TileRightMenu"), 1);
    m->Margins = ClampToImage(m->Margins, m->Image);
    StateColours(s, *m);
    e.MenuBar = std::move(m);
  }

  void Generic() const {
    e.GroupBoxEdge = Object<TDataSkinObject>(QStringLiteral("GroupBoxEdge"));
    {
      const QString s = QStringLiteral("GroupBox");
      e.GroupBox = Object<TDataSkinBoxLabel>(s);
      if (e.GroupBox) {
        e.GroupBox->BackgroundAlignment = Int(s, QStringLiteral("BackgroundAlignment"), 0);
        e.GroupBox->BackgroundLeftShift = ClampOffset(Int(s, QStringLiteral("BackgroundLeftShift"), 0));
        e.GroupBox->BackgroundRightShift = ClampOffset(Int(s, QStringLiteral("BackgroundRightShift"), 0));
      }
    }
    e.Toolbars = Object<TDataSkinObject>(QStringLiteral("Toolbars"));
    e.Tabs = Object<TDataSkinBorder>(QStringLiteral("Tabs"), QStringLiteral("Border"));
    e.StatusBarEdges = Object<TDataSkinObject>(QStringLiteral("StatusBarEdges"));
    e.ComboButton = Object<TDataSkinBorder>(QStringLiteral("ComboButton"));
    if (e.ComboButton && !e.ComboButton->Image.isNull()) {
      // The button for right-to-left combo boxes.
      images.Charge(static_cast<std::int64_t>(e.ComboButton->Image.width()) * e.ComboButton->Image.height());
      e.ComboButton->Image2 = e.ComboButton->Image.convertToFormat(QImage::Format_RGB32).mirrored(true, false);
    }
    e.SunkEdge = Object<TDataSkinObject>(QStringLiteral("SunkEdge"));
    e.ExtraImages = Object<TDataSkinObject>(QStringLiteral("ExtraImages"));
    e.Headerbar = Object<TDataSkinObject>(QStringLiteral("Headerbar"));
    e.MenuItem = Object<TDataSkinObject>(QStringLiteral("MenuItem"));
    e.MenuBackground = Object<TDataSkinObject>(QStringLiteral("MenuBackground"));
    e.Scrollbar = Object<TDataSkinObject>(QStringLiteral("Scrollbar"));
    e.HorzScroll = Object<TDataSkinObject>(QStringLiteral("HorzScroll"));
    e.VertScroll = Object<TDataSkinObject>(QStringLiteral("VertScroll"));
    e.HorzScrollThumb = Object<TDataSkinObject>(QStringLiteral("HorzScrollThumb"));
    e.VertScrollThumb = Object<TDataSkinObject>(QStringLiteral("VertScrollThumb"));
    e.TrackbarThumbHorz = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbHorz"));
    e.TrackbarThumbVert = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbVert"));
    e.TrackbarThumbLeft = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbLeft"));
    e.TrackbarThumbRight = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbRight"));
    e.TrackbarThumbUp = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbUp"));
    e.TrackbarThumbDown = Object<TDataSkinObject>(QStringLiteral("Trackbar.ThumbDown"));
    e.UpDownHorz = Object<TDataSkinBorder>(QStringLiteral("UpDown.Horz"), QStringLiteral("GlyphImage"));
    e.UpDownVert = Object<TDataSkinBorder>(QStringLiteral("UpDown.Vert"), QStringLiteral("GlyphImage"));
  }

  void FrameCounts() const {
    e.Buttons.FrameCount = 5;
    if (e.Buttons.RadioButtonFrame == 0) e.Buttons.RadioButtonFrame = DeriveToggleFrameCount(e.Buttons.RadioImage);
    if (e.Buttons.CheckButtonFrame == 0) e.Buttons.CheckButtonFrame = DeriveToggleFrameCount(e.Buttons.CheckImage);
    e.Title.FrameCount = 2;
    auto set = [](TDataSkinObject* o, int n) {
      if (o) o->FrameCount = n;
    };
    set(e.Progress.get(), 2);
    set(e.MenuBar.get(), 2);
    set(e.GroupBoxEdge.get(), 2);
    for (TDataSkinObject* o : {static_cast<TDataSkinObject*>(e.Toolbars.get()),
                               static_cast<TDataSkinObject*>(e.Tabs.get()), e.ExtraImages.get(), e.Headerbar.get(),
                               e.MenuItem.get(), e.TrackbarThumbHorz.get(), e.TrackbarThumbVert.get(),
                               e.TrackbarThumbLeft.get(), e.TrackbarThumbRight.get(), e.TrackbarThumbUp.get(),
                               e.TrackbarThumbDown.get()})
      set(o, 5);
    set(e.StatusBarEdges.get(), 3);
    set(e.GroupBox.get(), 1);
    set(e.MenuBackground.get(), 1);
    for (TDataSkinObject* o : {static_cast<TDataSkinObject*>(e.ComboButton.get()), e.SunkEdge.get(),
                               e.HorzScroll.get(), e.VertScroll.get()})
      set(o, 4);
    set(e.UpDownHorz.get(), 8);
    set(e.UpDownVert.get(), 8);
    set(e.Scrollbar.get(), 23);
    set(e.HorzScrollThumb.get(), Int(QStringLiteral("HorzScrollThumb"), QStringLiteral("FrameCount"), 3));
    set(e.VertScrollThumb.get(), Int(QStringLiteral("VertScrollThumb"), QStringLiteral("FrameCount"), 3));
  }

  // The combo box drawn as one piece: the sunken edge with the button at its
  // right and a magenta hole where the edit shows through.
  void ComboComposite() const {
    if (!e.SunkEdge || !e.ComboButton) return;
    const int a = platform::Metric(platform::SM_CXHSCROLL) + 2;
    const int n = std::max(1, e.SunkEdge->FrameCount);
    constexpr int cw = 50, ch = 21;
    images.Charge(2LL * cw * n * ch);  // the strip and its mirror
    QImage strip(cw * n, ch, QImage::Format_RGB32);
    strip.fill(kMagenta);
    for (int i = 1; i <= n; ++i) {
      QImage cell(cw, ch, QImage::Format_RGB32);
      cell.fill(kMagenta);
      {
        QPainter p(&cell);
        const TDataSkinObject& s = *e.SunkEdge;
        DrawSkinImage(p, QRect(0, 0, cw, ch), s.Image, false, s.Tile == 1, s.Trans != 0, s.FrameCount, i, s.Margins);
        const TDataSkinBorder& c = *e.ComboButton;
        const QRect button(cw - a, 0, a, ch);
        DrawSkinImage(p, button, c.Image, false, c.Tile == 1, c.Trans != 0, c.FrameCount, i, c.Margins);
        if (e.ExtraImages) DrawFrameCentred(p, button, e.ExtraImages->Image, true, e.ExtraImages->FrameCount, i);
        p.fillRect(QRect(2, 2, 48 - a, 17), QColor(255, 0, 255));
      }
      QPainter(&strip).drawImage(cw * (i - 1), 0, cell);
    }
    TDataSkinBorder& c = *e.ComboButton;
    c.Style = 2;
    c.Margins = e.SunkEdge->Margins;
    c.Margins.Left = 2;
    c.Margins.Right = a + 2;
    c.Image = strip;
    e.SunkEdge->Image = strip.mirrored(true, false);
    e.SunkEdge->Margins.Left = a + 2;
    e.SunkEdge->Margins.Right = 2;
    // The edge's margins were read against its own image; the strip is 21 high.
    c.Margins = ClampToImage(c.Margins, c.Image);
    e.SunkEdge->Margins = ClampToImage(e.SunkEdge->Margins, e.SunkEdge->Image);
  }
};

}  // namespace

namespace {

void ReadEveryElement(const TQuickIni& ini, TSkinImages& images, TSkinElements& elements) {
  Reading r{ini, images, elements};
  elements.SkinName = ini.ReadString(QStringLiteral("TitlebarSkin"), QStringLiteral("SkinName"), QString());
  // Frame borders read their state colours before the colour section: the
  // system button-text colour stands in for the skin's then.
  elements.Colours.ButtonText = platform::SysColor(platform::COLOR_BTNTEXT);
  r.Border(QStringLiteral("Left"), elements.FrameLeft);
  r.Border(QStringLiteral("Right"), elements.FrameRight);
  r.Border(QStringLiteral("Top"), elements.FrameTop);
  r.Border(QStringLiteral("Bottom"), elements.FrameBottom);
  r.ColoursSection();
  r.CaptionButtons();
  r.PushButtons();
  r.TitleSection();
  r.ProgressSection();
  r.MenuBarSection();
  r.Generic();
  r.FrameCounts();
  r.ComboComposite();
  elements.ButtonFaceBrush = QBrush(platform::ToQColor(elements.Colours.ButtonFace), Qt::SolidPattern);
  elements.NotLoaded = false;
}

}  // namespace

bool ReadSkinElements(const TQuickIni& ini, const TSkinReader& reader, TSkinElements& elements) {
  if (ini.SectionCount() > budget::kMaxSections) return false;
  // Read aside and put in place whole: a skin refused half-way leaves the
  // elements in use untouched.
  TSkinElements read;
  try {
    TSkinImages images(reader);
    ReadEveryElement(ini, images, read);
  } catch (const ESkinOverBudget&) {
    return false;
  }
  elements = std::move(read);
  return true;
}

bool LoadSkinElements(const QByteArray& skinFile, TSkinElements& elements) {
  elements.NotLoaded = true;
  TSkinReader reader;
  if (!reader.OpenSkin(skinFile)) return false;  // the reader has told the reader why
  QByteArray iniBytes;
  QString iniName;
  reader.FindEntryContaining(QStringLiteral(".ini"), iniBytes, iniName);
  TQuickIni ini;
  if (iniBytes.size() <= budget::kMaxIniBytes) ini.LoadFromStream(iniBytes);
  if (iniBytes.size() > budget::kMaxIniBytes || !ReadSkinElements(ini, reader, elements)) {
    ShowSkinRefused();
    return false;
  }
  return true;
}

}  // namespace skin
