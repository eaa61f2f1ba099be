// cq-skingen OUTDIR [ID...]: paints the images and writes the INI text of the
// program's skins, one folder per skin (OUTDIR/default, OUTDIR/1 ... OUTDIR/7).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <functional>

#include "platform/Gbk.h"
#include "tools/skingen/Palettes.h"
#include "tools/skingen/SkinPainter.h"

using namespace skingen;

namespace {

class SkinWriter {
 public:
  SkinWriter(const Palette& p, QString dir) : p_(p), dir_(std::move(dir)) {}

  bool Write() {
    QDir().mkpath(dir_);
    L_ = R_ = B_ = p_.borderWidth;
    T_ = p_.captionHeight;
    Section(QStringLiteral("TitlebarSkin"));
    Key(QStringLiteral("SkinName"), p_.name);
    Key(QStringLiteral("Author"), QStringLiteral("Cinnabarquillpad"));
    Frames();
    ColoursSection();
    CaptionButtons();
    PushButtons();
    Progress();
    Generic();
    // Sections the engine does not read stay harmless.
    Section(QStringLiteral("Fonts"));
    Key(QStringLiteral("Font1"), QStringLiteral("宋体,9"));
    QByteArray text;
    for (const QString& line : ini_) text += (line.isEmpty() ? QByteArray() : platform::ToGbk(line)) + "\r\n";
    return Save(QStringLiteral("skin.ini"), text) && ok_;
  }

 private:
  void Section(const QString& name) {
    if (!ini_.isEmpty()) ini_ << QString();
    ini_ << u'[' + name + u']';
  }
  void Key(const QString& key, const QString& value) { ini_ << key + u'=' + value; }
  void Key(const QString& key, int value) { Key(key, QString::number(value)); }
  void Colour(const QString& key, const QColor& c) {
    // Two spellings of the same colour: blanks, or a comma after each number.
    const bool commas = p_.id.toInt() % 2 == 1;
    Key(key, commas ? QStringLiteral("%1,%2,%3,").arg(c.red()).arg(c.green()).arg(c.blue())
                    : QStringLiteral("%1 %2 %3").arg(c.red()).arg(c.green()).arg(c.blue()));
  }
  bool Save(const QString& name, const QByteArray& bytes) {
    QFile f(QDir(dir_).filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
      std::fprintf(stderr, "cq-skingen: cannot write %s\n", qPrintable(f.fileName()));
      ok_ = false;
      return false;
    }
    return true;
  }
  // Stores an image; odd-numbered skins use 8-bit paletted files where the
  // colours allow it.
  QString Image(const QString& name, const QImage& img) {
    const QString file = name + QStringLiteral(".bmp");
    Save(file, p_.id.toInt() % 2 == 1 ? Bmp8(img) : Bmp24(img));
    return file;
  }
  void Margins(int l, int r, int t, int b) {
    Key(QStringLiteral("LeftWidth"), l);
    Key(QStringLiteral("RightWidth"), r);
    Key(QStringLiteral("TopHeight"), t);
    Key(QStringLiteral("BottomHeight"), b);
  }
  QColor Caption(bool active, double t) const {
    const QColor c = Mix(p_.caption1, p_.caption2, t);
    return active ? c : Grey(Mix(c, p_.face, 0.35));
  }
  // `c` moved by `t` away from `text`: toward the dark colour under light
  // text, toward the light one under dark text, so the text stands out.
  QColor Behind(const QColor& text, const QColor& c, double t) const {
    return Mix(c, text.lightness() > 128 ? p_.dark : p_.light, t);
  }
  // The background of highlighted menu items.
  QColor Highlight() const { return Mix(p_.accent, p_.face, 0.4); }
  QColor Face(int state) const {
    // 1 normal, 2 pressed, 3 disabled, 4 hot, 5 default
    switch (state) {
      case 2: return Mix(p_.face, p_.shadow, 0.45);
      case 3: return Grey(Mix(p_.face, p_.light, 0.5));
      case 4: return Mix(p_.face, p_.accent, 0.25);
      case 5: return Mix(p_.face, p_.accent, 0.12);
      default: return p_.face;
    }
  }

  // A raised face with gradient, bevel and rounded corners.
  QImage Face(int w, int h, int state, int radius, bool keyCorners = true) const {
    QImage img = Blank(w, h);
    const QColor f = Face(state);
    Gradient(img, img.rect(), Mix(f, p_.light, 0.5), Mix(f, p_.shadow, 0.2));
    if (p_.texture == Texture::Gloss) ApplyTexture(img, img.rect(), Texture::Gloss, state);
    const QColor edge = state == 4 || state == 5 ? p_.accent : p_.shadow;
    Frame(img, img.rect(), state == 3 ? Grey(p_.shadow) : Mix(edge, p_.dark, 0.3));
    if (state == 2) {
      Bevel(img, img.rect().adjusted(1, 1, -1, -1), p_.shadow, p_.light);
    } else {
      Bevel(img, img.rect().adjusted(1, 1, -1, -1), p_.light, Mix(f, p_.shadow, 0.6));
    }
    if (keyCorners) RoundCorners(img, img.rect(), radius);
    return img;
  }

  // A whole virtual window, cut into the four borders.
  QImage VirtualWindow(bool active) const {
    const int w = L_ + 80 + R_, h = T_ + 40 + B_;
    QImage img = Blank(w, h);
    Fill(img, img.rect(), active ? p_.border : Grey(p_.border));
    for (int y = 0; y < T_; ++y) Fill(img, QRect(0, y, w, 1), Caption(active, static_cast<double>(y) / (T_ - 1)));
    ApplyTexture(img, QRect(0, 0, w, T_), p_.texture, 11);
    Fill(img, QRect(L_, T_, w - L_ - R_, h - T_ - B_), p_.window);
    Bevel(img, img.rect(), Mix(p_.light, active ? p_.caption1 : p_.face, 0.3), p_.dark);
    Bevel(img, QRect(L_ - 1, T_ - 1, w - L_ - R_ + 2, h - T_ - B_ + 2), p_.dark, p_.light);
    if (p_.texture == Texture::Stripes) Fill(img, QRect(0, T_ - 3, w, 2), p_.accent);
    RoundCorners(img, img.rect(), p_.corner, true, true, false, false);
    RoundCorners(img, img.rect(), std::min(p_.corner, B_), false, false, true, true);
    return img;
  }

  void Frames() {
    const QImage a = VirtualWindow(true), n = VirtualWindow(false);
    const int w = a.width(), h = a.height();
    const int cap = 12;
    const QString s = QStringLiteral("Personality");
    Section(s);
    Key(QStringLiteral("Left"), Image(QStringLiteral("FrameLeft"), Strip({a.copy(0, 0, L_, h), n.copy(0, 0, L_, h)})));
    Key(QStringLiteral("LeftTopHeight"), T_ + 2);
    Key(QStringLiteral("LeftBotHeight"), B_ + 2);
    Key(QStringLiteral("LeftFrame"), 2);
    Key(QStringLiteral("LeftStretch"), 1);
    Key(QStringLiteral("Right"),
        Image(QStringLiteral("FrameRight"), Strip({a.copy(w - R_, 0, R_, h), n.copy(w - R_, 0, R_, h)})));
    Key(QStringLiteral("RightTopHeight"), T_ + 2);
    Key(QStringLiteral("RightBotHeight"), B_ + 2);
    Key(QStringLiteral("RightFrame"), 2);
    Key(QStringLiteral("RightStretch"), 1);
    Key(QStringLiteral("Top"), Image(QStringLiteral("FrameTop"),
                                     Strip({a.copy(L_, 0, w - L_ - R_, T_), n.copy(L_, 0, w - L_ - R_, T_)}, true)));
    Key(QStringLiteral("TopTopHeight"), cap);
    Key(QStringLiteral("TopBotHeight"), cap);
    Key(QStringLiteral("TopFrame"), 2);
    Key(QStringLiteral("TopStretch"), p_.tileCaption ? 0 : 1);
    Key(QStringLiteral("Bottom"), Image(QStringLiteral("FrameBottom"),
                                        Strip({a.copy(L_, h - B_, w - L_ - R_, B_), n.copy(L_, h - B_, w - L_ - R_, B_)},
                                              true)));
    Key(QStringLiteral("BottomTopHeight"), cap);
    Key(QStringLiteral("BottomBotHeight"), cap);
    Key(QStringLiteral("BottomFrame"), 2);
    Key(QStringLiteral("BottomStretch"), 1);
    // Caption text background: a rounded plate, active and inactive stacked,
    // deeper than the caption under a light title and lighter under a dark one.
    std::vector<QImage> back;
    for (int f = 0; f < 2; ++f) {
      QImage img = Blank(30, T_);
      const QRect plate(0, 2, 30, T_ - 4);
      const QColor& title = f == 0 ? p_.titleText : p_.titleTextInactive;
      Gradient(img, plate, Behind(title, Caption(f == 0, 0.0), 0.5), Behind(title, Caption(f == 0, 1.0), 0.4));
      Frame(img, plate, Mix(Caption(f == 0, 1.0), p_.dark, 0.4));
      RoundCorners(img, plate, std::min(8, (T_ - 4) / 2));
      back.push_back(img);
    }
    Key(QStringLiteral("TextBack"), Image(QStringLiteral("TitleBack"), Strip(back, true)));
    Key(QStringLiteral("TXTBackleft"), 9);
    Key(QStringLiteral("TXTBackRight"), 9);
    Key(QStringLiteral("TextShift"), 26);
    Key(QStringLiteral("TextShiftVert"), 0);
    Key(QStringLiteral("TextRightClip"), 4 * (T_ - 6) + 16);
    Key(QStringLiteral("TextAlignment"), p_.texture == Texture::Stripes ? 1 : 0);
    // Menu bar, active above inactive (the engine reads its two frames stacked).
    std::vector<QImage> bar;
    for (int f = 0; f < 2; ++f) {
      QImage img = Blank(40, 20);
      const QColor base = f == 0 ? Mix(p_.face, p_.caption1, 0.15) : Grey(p_.face);
      Gradient(img, img.rect(), Mix(base, p_.light, 0.5), base);
      ApplyTexture(img, img.rect(), p_.texture == Texture::Stripes ? Texture::Plain : p_.texture, 3);
      Fill(img, QRect(0, 19, 40, 1), p_.shadow);
      Fill(img, QRect(0, 0, 1, 20), p_.light);
      Fill(img, QRect(39, 0, 1, 20), p_.shadow);
      bar.push_back(img);
    }
    Key(QStringLiteral("menuBar"), Image(QStringLiteral("MenuBar"), Strip(bar, true)));
    Key(QStringLiteral("TileMenu"), p_.tileCaption ? 1 : 0);
    Key(QStringLiteral("TileLeftMenu"), 1);
    Key(QStringLiteral("TileRightMenu"), 1);
  }

  void ColoursSection() {
    Section(QStringLiteral("Colours"));
    Colour(QStringLiteral("WindowText"), p_.text);
    Colour(QStringLiteral("ButtonFace"), p_.face);
    Colour(QStringLiteral("Scrollbar"), Mix(p_.face, p_.light, 0.5));
    Colour(QStringLiteral("HilightText"), p_.text);
    Colour(QStringLiteral("Hilight"), Highlight());
    Colour(QStringLiteral("Menubar"), Mix(p_.face, p_.caption1, 0.15));
    Colour(QStringLiteral("Menu"), Mix(p_.face, p_.window, 0.5));
    Colour(QStringLiteral("MenuText"), p_.text);
    Colour(QStringLiteral("ButtonText"), p_.text);
    Colour(QStringLiteral("ButtonHilight"), p_.light);
    Colour(QStringLiteral("Buttonlight"), Mix(p_.face, p_.light, 0.5));
    // ButtonShadow is also the grey of what cannot be chosen now: on dark
    // faces the shadow itself would not show, so text dimmed towards the menu.
    Colour(QStringLiteral("ButtonShadow"), p_.lightOnDark ? Mix(p_.text, Mix(p_.face, p_.window, 0.5), 0.4) : p_.shadow);
    Colour(QStringLiteral("ButtonDkShadow"), p_.dark);
    Colour(QStringLiteral("MenuBarText"), p_.text);
    Colour(QStringLiteral("TitleTextActive"), p_.titleText);
    Colour(QStringLiteral("TitleTextNoActive"), p_.titleTextInactive);
    if (p_.lightOnDark) Colour(QStringLiteral("Window"), p_.window);
  }

  QImage CaptionButtonFrame(int size, int state, Glyph g, bool close) const {
    // 1 normal, 2 pressed, 3 mouse over, 4 inactive
    QImage img = Blank(size, size);
    QColor base = close ? p_.closeColor : Mix(p_.caption2, p_.light, 0.25);
    if (state == 2) base = Mix(base, p_.dark, 0.35);
    if (state == 3) base = Mix(base, p_.light, 0.3);
    if (state == 4) base = Grey(Mix(base, p_.face, 0.5));
    if (p_.roundButtons) {
      Disc(img, img.rect(), Mix(base, p_.dark, 0.4));
      Disc(img, img.rect().adjusted(1, 1, -1, -1), base);
      if (p_.texture == Texture::Gloss || p_.texture == Texture::Waves) {
        QImage top = img;
        ApplyTexture(top, QRect(0, 0, size, size / 2), Texture::Gloss, state);
        img = top;
      }
    } else {
      Gradient(img, img.rect(), Mix(base, p_.light, 0.35), base);
      Frame(img, img.rect(), Mix(base, p_.dark, 0.5));
      Bevel(img, img.rect().adjusted(1, 1, -1, -1), Mix(base, p_.light, 0.5), Mix(base, p_.dark, 0.2),
            state == 2);
      RoundCorners(img, img.rect(), std::min(p_.corner, 3));
    }
    // An inactive window's glyphs are dark on the greyed buttons: the
    // inactive title's colour when that is dark, else a deep grey.
    QColor ink = close ? QColor(255, 255, 255) : p_.titleText;
    if (state == 4) ink = p_.titleTextInactive.lightness() <= 128 ? p_.titleTextInactive : Mix(base, p_.dark, 0.65);
    DrawGlyph(img, img.rect().translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0), g, ink, size / 2);
    return img;
  }

  void CaptionButtons() {
    const int bs = T_ - 7;
    const int y = (T_ - bs) / 2;
    // Skins whose images carry three frames leave the count to the engine.
    const bool threeFrames = p_.id == QLatin1String("1") || p_.id == QLatin1String("3");
    struct Def {
      QString section, file;
      int action, slot, visibility;
      Glyph glyph;
    };
    const Def defs[] = {
        {QStringLiteral("Button.Close"), QStringLiteral("BtnClose"), 0, 1, 0, Glyph::Close},
        {QStringLiteral("Button.Maximize"), QStringLiteral("BtnMax"), 1, 2, 2, Glyph::Maximize},
        {QStringLiteral("Button.Restore"), QStringLiteral("BtnRestore"), 1, 2, 1, Glyph::Restore},
        {QStringLiteral("Button.Minimize"), QStringLiteral("BtnMin"), 2, 3, 0, Glyph::Minimize},
    };
    for (const Def& d : defs) {
      std::vector<QImage> frames;
      for (int f = 1; f <= (threeFrames ? 3 : 4); ++f) frames.push_back(CaptionButtonFrame(bs, f, d.glyph, d.action == 0));
      Section(d.section);
      Key(QStringLiteral("Action"), d.action);
      Key(QStringLiteral("Align"), 1);
      Key(QStringLiteral("Xcoord"), R_ + (bs + 2) * d.slot);
      Key(QStringLiteral("Ycoord"), y);
      Key(QStringLiteral("Visibility"), d.visibility);
      Key(QStringLiteral("ButtonImage"), Image(d.file, Strip(frames)));
      if (!threeFrames) Key(QStringLiteral("frame"), 4);
    }
    // The system-menu button shows the window icon; its image is a stand-in.
    Section(QStringLiteral("Button.SysMenu"));
    Key(QStringLiteral("Action"), 3);
    Key(QStringLiteral("Align"), 0);
    Key(QStringLiteral("Xcoord"), L_ + 4);
    Key(QStringLiteral("Ycoord"), (T_ - 16) / 2);
    Key(QStringLiteral("Visibility"), 0);
    {
      QImage icon = Blank(16, 16);
      DrawGlyph(icon, icon.rect(), Glyph::Menu, p_.titleText, 12);
      Key(QStringLiteral("ButtonImage"), Image(QStringLiteral("BtnSysMenu"), icon));
    }
    // A maximised MDI child's buttons: minimise, restore, close, four frames each.
    std::vector<QImage> mdi;
    const Glyph glyphs[3] = {Glyph::Minimize, Glyph::Restore, Glyph::Close};
    for (int k = 0; k < 3; ++k)
      for (int f = 1; f <= 4; ++f) {
        QImage img = Face(16, 14, f == 2 ? 2 : f == 3 ? 3 : f == 4 ? 4 : 1, 2);
        DrawGlyph(img, img.rect(), glyphs[k], f == 3 ? p_.shadow : p_.text, 7);
        mdi.push_back(img);
      }
    Section(QStringLiteral("MDICONTROLS"));
    Key(QStringLiteral("Image"), Image(QStringLiteral("MdiControls"), Strip(mdi)));
  }

  QImage Toggle(int size, int frame, bool radio) const {
    // 1 off, 2 on, 3 off disabled, 4 on disabled
    const bool on = frame == 2 || frame == 4, disabled = frame >= 3;
    QImage img = Blank(size, size);
    const QColor well = disabled ? Grey(p_.face) : p_.window;
    const QColor edge = disabled ? p_.shadow : Mix(p_.caption2, p_.dark, 0.3);
    const QColor ink = disabled ? p_.shadow : Mix(p_.accent, p_.dark, 0.45);
    if (radio) {
      Disc(img, img.rect(), edge);
      Disc(img, img.rect().adjusted(1, 1, -1, -1), well);
      if (on) DrawGlyph(img, img.rect(), Glyph::Dot, ink, size / 2 - 1);
    } else {
      Fill(img, img.rect(), well);
      Frame(img, img.rect(), edge);
      Bevel(img, img.rect().adjusted(1, 1, -1, -1), p_.shadow, p_.light, false);
      Fill(img, img.rect().adjusted(2, 2, -2, -2), well);
      if (on) DrawGlyph(img, img.rect().adjusted(2, 2, -2, -2), Glyph::Check, ink, size - 5);
    }
    return img;
  }

  void PushButtons() {
    std::vector<QImage> frames;
    for (int f = 1; f <= 5; ++f) frames.push_back(Face(24, 22, f, std::min(p_.corner, 4)));
    Section(QStringLiteral("Buttons"));
    Key(QStringLiteral("Bitmap"), Image(QStringLiteral("Button"), Strip(frames)));
    Margins(5, 5, 5, 5);
    Key(QStringLiteral("Trans"), 1);
    Key(QStringLiteral("Tile"), 0);
    const int size = p_.squareToggles ? 16 : 13;
    std::vector<QImage> check, radio;
    for (int f = 1; f <= 4; ++f) {
      check.push_back(Toggle(size, f, false));
      radio.push_back(Toggle(size, f, true));
    }
    Key(QStringLiteral("CheckButton"), Image(QStringLiteral("Check"), Strip(check)));
    Key(QStringLiteral("RadioButton"), Image(QStringLiteral("Radio"), Strip(radio)));
    // 16-pixel images need their count: the size rule would give three.
    if (p_.squareToggles) {
      Key(QStringLiteral("CheckButtonFrame"), 4);
      Key(QStringLiteral("RadioButtonFrame"), 4);
    }
    Colour(QStringLiteral("NormalColour2"), p_.text);
    // A hot or focused caption keeps a dark shade of the accent; on dark
    // faces every state keeps the light text, the face shows the state.
    Colour(QStringLiteral("MouseOverColour2"), p_.lightOnDark ? p_.text : Mix(p_.accent, p_.text, 0.75));
    Colour(QStringLiteral("PressedColour2"), p_.lightOnDark ? p_.text : Mix(p_.dark, p_.text, 0.5));
  }

  void Progress() {
    std::vector<QImage> track;
    for (int f = 0; f < 2; ++f) {
      QImage img = Blank(24, 14);
      Fill(img, img.rect(), f == 0 ? p_.window : Grey(p_.window));
      Bevel(img, img.rect(), p_.shadow, p_.light, false);
      Frame(img, img.rect().adjusted(1, 1, -1, -1), Mix(p_.face, p_.shadow, 0.5));
      track.push_back(img);
    }
    QImage chunk = Blank(10, 10);
    Gradient(chunk, chunk.rect(), Mix(p_.accent, p_.light, 0.4), Mix(p_.accent, p_.dark, 0.2));
    Fill(chunk, QRect(9, 0, 1, 10), Mix(p_.accent, p_.dark, 0.4));
    Section(QStringLiteral("Progress"));
    Key(QStringLiteral("Bitmap"), Image(QStringLiteral("Progress"), Strip(track)));
    Key(QStringLiteral("Chunk"), Image(QStringLiteral("ProgressChunk"), chunk));
    Key(QStringLiteral("Style"), 0);
    Margins(3, 3, 3, 3);
    Key(QStringLiteral("Trans"), 0);
    Key(QStringLiteral("Tile"), 1);
  }

  void Element(const QString& section, const QString& file, const QImage& img, int l, int r, int t, int b,
               int trans, int tile, const std::function<void()>& extra = {}) {
    Section(section);
    Key(QStringLiteral("Image"), Image(file, img));
    Margins(l, r, t, b);
    Key(QStringLiteral("Trans"), trans);
    Key(QStringLiteral("Tile"), tile);
    if (extra) extra();
  }

  QImage ArrowButton(int w, int h, int state, Glyph g) const {
    // 1 normal, 2 pressed, 3 hot, 4 disabled
    QImage img = Face(w, h, state == 2 ? 2 : state == 3 ? 4 : state == 4 ? 3 : 1, std::min(p_.corner, 3));
    DrawGlyph(img, img.rect().translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0), g,
              state == 4 ? Grey(p_.shadow) : p_.text, std::min(w, h) / 2);
    return img;
  }

  QImage Thumb(int w, int h, int state, Glyph point) const {
    QImage img = Face(w, h, state, 0, false);
    // Pointed thumbs end in a triangle of the transparent colour's complement.
    if (point == Glyph::ArrowDown || point == Glyph::ArrowUp) {
      const int tip = w / 2;
      for (int i = 0; i < tip; ++i)
        for (int x = 0; x < w; ++x) {
          const bool outside = x < i || x >= w - i;
          if (!outside) continue;
          const int y = point == Glyph::ArrowDown ? h - tip + i : tip - 1 - i;
          img.setPixel(x, y, kKey);
        }
    } else if (point == Glyph::ArrowLeft || point == Glyph::ArrowRight) {
      const int tip = h / 2;
      for (int i = 0; i < tip; ++i)
        for (int y = 0; y < h; ++y) {
          const bool outside = y < i || y >= h - i;
          if (!outside) continue;
          const int x = point == Glyph::ArrowRight ? w - tip + i : tip - 1 - i;
          img.setPixel(x, y, kKey);
        }
    } else {
      RoundCorners(img, img.rect(), 2);
    }
    return img;
  }

  void Generic() {
    const int r = std::min(p_.corner, 4);
    // Group box edge: an etched frame, see-through inside.
    {
      std::vector<QImage> f;
      for (int k = 0; k < 2; ++k) {
        QImage img = Blank(24, 24);
        Frame(img, img.rect(), k == 0 ? p_.shadow : Grey(p_.shadow));
        Frame(img, img.rect().adjusted(1, 1, -1, -1), p_.light);
        for (int y = 2; y < 22; ++y)
          for (int x = 2; x < 22; ++x) img.setPixel(x, y, kKey);
        RoundCorners(img, img.rect(), r);
        f.push_back(img);
      }
      Element(QStringLiteral("GroupBoxEdge"), QStringLiteral("GroupEdge"), Strip(f), 6, 6, 6, 6, 1, 0);
    }
    {
      QImage img = Blank(40, 18);
      Gradient(img, img.rect(), Mix(p_.caption1, p_.light, 0.3), p_.caption1);
      RoundCorners(img, img.rect(), std::min(p_.corner, 8));
      Element(QStringLiteral("GroupBox"), QStringLiteral("GroupLabel"), img, 8, 8, 0, 0, 1, 0, [&] {
        Key(QStringLiteral("BackgroundAlignment"), 0);
        Key(QStringLiteral("BackgroundLeftShift"), 4);
        Key(QStringLiteral("BackgroundRightShift"), 4);
      });
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) f.push_back(Face(24, 24, k, 0, false));
      Element(QStringLiteral("Toolbars"), QStringLiteral("Toolbar"), Strip(f), 3, 3, 3, 3, 0, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) {
        QImage img = Face(40, 22, k == 5 ? 1 : k, 0, false);
        if (k == 5) Fill(img, QRect(2, 0, 36, 3), p_.accent);
        RoundCorners(img, img.rect(), r + 1, true, true, false, false);
        f.push_back(img);
      }
      QImage border = Blank(30, 30);
      Frame(border, border.rect(), p_.shadow);
      Bevel(border, border.rect().adjusted(1, 1, -1, -1), p_.light, Mix(p_.face, p_.shadow, 0.5));
      for (int y = 2; y < 28; ++y)
        for (int x = 2; x < 28; ++x) border.setPixel(x, y, kKey);
      Element(QStringLiteral("Tabs"), QStringLiteral("Tab"), Strip(f), 5, 5, 5, 3, 1, 0,
              [&] { Key(QStringLiteral("Border"), Image(QStringLiteral("TabBorder"), border)); });
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 3; ++k) {
        QImage img = Blank(20, 18);
        Fill(img, img.rect(), Mix(p_.face, p_.light, 0.3));
        if (k == 1) Bevel(img, img.rect(), p_.shadow, p_.light);
        if (k == 2) Bevel(img, img.rect(), p_.light, p_.shadow);
        f.push_back(img);
      }
      Element(QStringLiteral("StatusBarEdges"), QStringLiteral("StatusEdge"), Strip(f), 2, 2, 2, 2, 0, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 4; ++k) f.push_back(Face(18, 21, k == 2 ? 2 : k == 3 ? 3 : k == 4 ? 4 : 1, 0, false));
      Element(QStringLiteral("ComboButton"), QStringLiteral("ComboButton"), Strip(f), 2, 2, 2, 2, 0, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 4; ++k) {
        QImage img = Blank(20, 21);
        Fill(img, img.rect(), k == 3 ? Grey(p_.window) : p_.window);
        const QColor edge = k == 2 || k == 4 ? p_.accent : k == 3 ? Grey(p_.shadow) : p_.shadow;
        Frame(img, img.rect(), edge);
        Bevel(img, img.rect().adjusted(1, 1, -1, -1), Mix(edge, p_.dark, 0.3), Mix(p_.face, p_.light, 0.5));
        f.push_back(img);
      }
      Element(QStringLiteral("SunkEdge"), QStringLiteral("SunkEdge"), Strip(f), 2, 2, 2, 2, 0, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) {
        QImage img = Blank(10, 10);
        if (k == 5) {
          DrawGlyph(img, img.rect(), Glyph::Grip, p_.shadow, 10);
        } else {
          DrawGlyph(img, img.rect(), Glyph::ArrowDown, k == 3 ? Grey(p_.shadow) : p_.text, 7);
        }
        f.push_back(img);
      }
      Element(QStringLiteral("ExtraImages"), QStringLiteral("Extra"), Strip(f), 0, 0, 0, 0, 1, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) {
        QImage img = Face(40, 20, k, 0, false);
        Fill(img, QRect(38, 3, 1, 14), p_.shadow);
        f.push_back(img);
      }
      Element(QStringLiteral("Headerbar"), QStringLiteral("Header"), Strip(f), 3, 3, 3, 3, 0, 0);
    }
    {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) {
        QImage img = Blank(40, 20);
        if (k == 1) {
          // Left blank (the key colour): a normal item shows the menu's
          // background through, with its glyph column, as separators do.
        } else if (k == 2) {
          // Separators take the bottom rows of frame 2 as high as they are
          // (8): an etched line in the middle of those rows, inset by the
          // margins, and transparent (the blank key colour) everywhere else.
          Fill(img, QRect(4, 15, 32, 1), p_.shadow);
          Fill(img, QRect(4, 16, 32, 1), p_.light);
        } else {
          const QColor c = k == 3 ? Grey(p_.face) : k == 2 ? Mix(p_.accent, p_.dark, 0.2) : Highlight();
          Gradient(img, img.rect(), Mix(c, p_.light, 0.4), c);
          Frame(img, img.rect(), Mix(c, p_.dark, 0.4));
          RoundCorners(img, img.rect(), r);
        }
        f.push_back(img);
      }
      Element(QStringLiteral("MenuItem"), QStringLiteral("MenuItem"), Strip(f), 4, 4, 4, 4, 1, 0);
    }
    {
      QImage img = Blank(48, 48);
      Fill(img, img.rect(), Mix(p_.face, p_.window, 0.5));
      Gradient(img, QRect(0, 0, 22, 48), Mix(p_.caption1, p_.face, 0.6), Mix(p_.caption2, p_.face, 0.5), false);
      Frame(img, img.rect(), p_.shadow);
      Element(QStringLiteral("MenuBackground"), QStringLiteral("MenuBack"), img, 24, 2, 2, 2, 0, 0);
    }
    {
      // Arrow buttons: left, right, up, down, four states each, then seven
      // more frames (corner square and spare grips).
      std::vector<QImage> f;
      const Glyph arrows[4] = {Glyph::ArrowLeft, Glyph::ArrowRight, Glyph::ArrowUp, Glyph::ArrowDown};
      for (Glyph g : arrows)
        for (int s = 1; s <= 4; ++s) f.push_back(ArrowButton(16, 16, s, g));
      for (int k = 0; k < 7; ++k) {
        QImage img = Face(16, 16, 1, 0, false);
        if (k == 0) DrawGlyph(img, img.rect(), Glyph::Grip, p_.shadow, 12);
        else DrawGlyph(img, img.rect(), Glyph::Dash, k % 2 ? p_.shadow : p_.accent, 6);
        f.push_back(img);
      }
      Element(QStringLiteral("Scrollbar"), QStringLiteral("ScrollArrows"), Strip(f), 0, 0, 0, 0, 1, 0);
    }
    for (int vertical = 0; vertical < 2; ++vertical) {
      std::vector<QImage> f;
      for (int k = 1; k <= 4; ++k) {
        const int w = vertical ? 16 : 32, h = vertical ? 32 : 16;
        QImage img = Blank(w, h);
        const QColor c = k == 3 ? Grey(p_.face) : k == 2 ? Mix(p_.face, p_.shadow, 0.4) : Mix(p_.face, p_.light, 0.4);
        Gradient(img, img.rect(), Mix(c, p_.shadow, 0.2), c, !vertical);
        if (p_.texture != Texture::Plain && p_.texture != Texture::Gloss) ApplyTexture(img, img.rect(), p_.texture, k);
        Frame(img, img.rect(), Mix(p_.face, p_.shadow, 0.6));
        f.push_back(img);
      }
      if (vertical) {
        Element(QStringLiteral("VertScroll"), QStringLiteral("VertTrack"), Strip(f), 0, 0, 3, 3, 0, p_.tileCaption ? 1 : 0);
      } else {
        Element(QStringLiteral("HorzScroll"), QStringLiteral("HorzTrack"), Strip(f), 3, 3, 0, 0, 0, p_.tileCaption ? 1 : 0);
      }
    }
    for (int vertical = 0; vertical < 2; ++vertical) {
      std::vector<QImage> f;
      for (int k = 1; k <= 3; ++k) {
        const int w = vertical ? 16 : 30, h = vertical ? 30 : 16;
        QImage img = Face(w, h, k == 2 ? 4 : k == 3 ? 3 : 1, std::min(p_.corner, 3));
        // Grip lines across the middle.
        for (int g = -2; g <= 2; g += 2) {
          if (vertical) Fill(img, QRect(4, h / 2 + g, w - 8, 1), p_.shadow);
          else Fill(img, QRect(w / 2 + g, 4, 1, h - 8), p_.shadow);
        }
        f.push_back(img);
      }
      const QString section = vertical ? QStringLiteral("VertScrollThumb") : QStringLiteral("HorzScrollThumb");
      Element(section, vertical ? QStringLiteral("VertThumb") : QStringLiteral("HorzThumb"), Strip(f),
              vertical ? 0 : 5, vertical ? 0 : 5, vertical ? 5 : 0, vertical ? 5 : 0, 1, 0,
              [&] { Key(QStringLiteral("FrameCount"), 3); });
    }
    struct ThumbDef {
      QString section, file;
      int w, h;
      Glyph point;
    };
    const ThumbDef thumbs[] = {
        {QStringLiteral("Trackbar.ThumbHorz"), QStringLiteral("ThumbHorz"), 11, 20, Glyph::Dot},
        {QStringLiteral("Trackbar.ThumbVert"), QStringLiteral("ThumbVert"), 20, 11, Glyph::Dot},
        {QStringLiteral("Trackbar.ThumbLeft"), QStringLiteral("ThumbLeft"), 20, 11, Glyph::ArrowLeft},
        {QStringLiteral("Trackbar.ThumbRight"), QStringLiteral("ThumbRight"), 20, 11, Glyph::ArrowRight},
        {QStringLiteral("Trackbar.ThumbUp"), QStringLiteral("ThumbUp"), 11, 20, Glyph::ArrowUp},
        {QStringLiteral("Trackbar.ThumbDown"), QStringLiteral("ThumbDown"), 11, 20, Glyph::ArrowDown},
    };
    for (const ThumbDef& t : thumbs) {
      std::vector<QImage> f;
      for (int k = 1; k <= 5; ++k) f.push_back(Thumb(t.w, t.h, k, t.point));
      Element(t.section, t.file, Strip(f), 0, 0, 0, 0, 1, 0);
    }
    for (int vertical = 0; vertical < 2; ++vertical) {
      std::vector<QImage> f, glyphs;
      const Glyph a = vertical ? Glyph::ArrowUp : Glyph::ArrowLeft, b = vertical ? Glyph::ArrowDown : Glyph::ArrowRight;
      for (Glyph g : {a, b})
        for (int s = 1; s <= 4; ++s) {
          f.push_back(Face(16, 16, s == 2 ? 2 : s == 3 ? 4 : s == 4 ? 3 : 1, 0, false));
          QImage glyph = Blank(7, 7);
          DrawGlyph(glyph, glyph.rect(), g, s == 4 ? Grey(p_.shadow) : p_.text, 7);
          glyphs.push_back(glyph);
        }
      const QString section = vertical ? QStringLiteral("UpDown.Vert") : QStringLiteral("UpDown.Horz");
      const QString stem = vertical ? QStringLiteral("UpDownVert") : QStringLiteral("UpDownHorz");
      Element(section, stem, Strip(f), 3, 3, 3, 3, 0, 0,
              [&] { Key(QStringLiteral("GlyphImage"), Image(stem + QStringLiteral("Glyph"), Strip(glyphs))); });
    }
  }

  const Palette& p_;
  QString dir_;
  QStringList ini_;
  bool ok_ = true;
  int L_ = 4, R_ = 4, T_ = 24, B_ = 4;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: cq-skingen OUTDIR [default|1|...|7 ...]\n");
    return 2;
  }
  const QStringList wanted = args.mid(2);
  int written = 0;
  for (const Palette& p : Palettes()) {
    if (!wanted.isEmpty() && !wanted.contains(p.id)) continue;
    SkinWriter writer(p, QDir(args[1]).filePath(p.id));
    if (!writer.Write()) return 1;
    ++written;
  }
  std::printf("cq-skingen: %d skins written to %s\n", written, qPrintable(args[1]));
  return written > 0 ? 0 : 1;
}
