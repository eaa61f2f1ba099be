#include "tools/gallery/StyledPage.h"

#include <QBuffer>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "controls/styled/FlatButton.h"
#include "controls/styled/FlatHint.h"
#include "controls/styled/FlatPanel.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "controls/styled/suiImagePanel.h"
#include "toolkit/Fonts.h"
#include "toolkit/Panel.h"

using namespace styled;

namespace {

const QColor kKey(255, 0, 255);  // the glyphs' transparent colour (their bottom-left pixel)

QImage Canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kKey);
  return image;
}

// The five 40×40 header glyphs: two books, a gear, a calendar and an upward arrow.
QImage HeaderGlyph(int which) {
  QImage image = Canvas(40, 40);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.5));
  switch (which) {
    case 0:
    case 1: {
      const QColor cover = which == 0 ? QColor(190, 30, 30) : QColor(30, 90, 170);
      p.setBrush(cover);
      p.drawRoundedRect(QRectF(6, 5, 26, 31), 3, 3);
      p.setBrush(QColor(250, 240, 210));
      p.drawRect(QRectF(10, 9, 18, 23));
      p.setPen(QPen(cover.darker(), 1.5));
      for (int y = 14; y < 30; y += 5) p.drawLine(13, y, 25, y);
      break;
    }
    case 2: {
      p.setBrush(QColor(120, 130, 150));
      QPainterPath gear;
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(20, 20);
        p.rotate(i * 45);
        p.drawRect(QRectF(-3, -17, 6, 8));
        p.restore();
      }
      p.drawEllipse(QPointF(20, 20), 12, 12);
      p.setBrush(QColor(230, 230, 235));
      p.drawEllipse(QPointF(20, 20), 5, 5);
      break;
    }
    case 3: {
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 8, 30, 27));
      p.setBrush(QColor(200, 40, 40));
      p.drawRect(QRectF(5, 8, 30, 8));
      p.setPen(Qt::black);
      p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
      p.drawText(QRectF(5, 16, 30, 19), Qt::AlignCenter, QStringLiteral("1"));
      break;
    }
    default: {
      p.setBrush(QColor(40, 160, 60));
      QPolygonF arrow({{20, 4}, {35, 20}, {26, 20}, {26, 35}, {14, 35}, {14, 20}, {5, 20}});
      p.drawPolygon(arrow);
      break;
    }
  }
  p.end();
  image.setPixel(0, 39, kKey.rgb());
  return image;
}

// The four 16×16 speech glyphs: play, pause, resume, stop (drawn in 16 colours).
QImage SpeechGlyph(int which) {
  QImage image = Canvas(16, 16);
  QPainter p(&image);
  p.setPen(Qt::black);
  switch (which) {
    case 0: p.setBrush(QColor(0, 128, 0)); p.drawPolygon(QPolygon({{4, 2}, {13, 8}, {4, 14}})); break;
    case 1: p.setBrush(QColor(0, 0, 128)); p.drawRect(3, 2, 3, 11); p.drawRect(9, 2, 3, 11); break;
    case 2:
      p.setBrush(QColor(0, 128, 128));
      p.drawRect(2, 2, 2, 11);
      p.drawPolygon(QPolygon({{6, 2}, {14, 8}, {6, 14}}));
      break;
    default: p.setBrush(QColor(128, 0, 0)); p.drawRect(3, 3, 10, 10); break;
  }
  p.end();
  return image;
}

// A strip of `cells` 20×20 glyph cells in different colours (cell 1 is the disabled look).
QImage Strip(int cells) {
  const QColor colours[4] = {QColor(0, 128, 0), QColor(128, 128, 128), QColor(200, 0, 0), QColor(0, 0, 200)};
  QImage image = Canvas(20 * cells, 20);
  QPainter p(&image);
  for (int i = 0; i < cells; ++i) {
    p.setPen(Qt::black);
    p.setBrush(colours[i]);
    p.drawEllipse(20 * i + 3, 3, 13, 13);
  }
  return image;
}

// The header banner, encoded as JPEG and decoded again through Qt's image support.
QImage Banner() {
  QImage image(182, 237, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 182, 237);
  g.setColorAt(0, QColor(250, 235, 205));
  g.setColorAt(0.5, QColor(236, 206, 170));
  g.setColorAt(1, QColor(200, 150, 110));
  p.fillRect(image.rect(), g);
  p.setPen(QPen(QColor(150, 60, 40, 120), 3));
  for (int i = 0; i < 8; ++i) p.drawArc(QRect(-60 + i * 30, 120 - i * 10, 200, 160), 0, 180 * 16);
  p.end();
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 90);
  return QImage::fromData(jpeg, "JPG");
}

QLabel* Title(QWidget* parent, const QString& text, int x, int y) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  l->move(x, y);
  return l;
}

// A label whose hint text follows the pointer, like the main window's form label.
class HintLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override {
    setToolTip(QStringLiteral("五言绝句：每首四句，每句五字。指针位置 x = %1").arg(e->position().toPoint().x()));
    QLabel::mouseMoveEvent(e);
  }
};

}  // namespace

QWidget* MakeStyledPage() {
  auto* page = new QWidget();
  page->setAutoFillBackground(true);
  QPalette pal = page->palette();
  pal.setColor(QPalette::Window, platform::ToQColor(platform::clBtnFace));
  page->setPalette(pal);
  auto* hint = new TFlatHint(page);
  hint->SetFont(toolkit::MakeFont(QStringLiteral("宋体"), 13));

  // The main window's header: a stretched banner with five see-through buttons.
  Title(page, QStringLiteral("Header (picture panel, flat speed buttons)"), 8, 4);
  auto* header = new TsuiImagePanel(page);
  header->setGeometry(8, 24, 600, 137);
  header->SetPicture(Banner());
  header->SetDrawStyle(TsuiImagePanel::suiStretch);
  header->SetTransparent(true);
  const char* captions[] = {"中国作品", "外国作品", "软件设置", "每日一贴", "软件升级"};
  const int lefts[] = {24, 104, 264, 344, 424};
  for (int i = 0; i < 5; ++i) {
    auto* b = new TFlatSpeedButton(header);
    b->setGeometry(lefts[i], 16, 65, 65);
    b->SetCaption(QString::fromUtf8(captions[i]));
    b->SetGlyph(HeaderGlyph(i));
    b->SetTransparent(tmAlways);
    b->SetTransBorder(true);
    b->SetColorBorder(platform::RGB(223, 239, 255));
    b->setFont(toolkit::MakeFont(QStringLiteral("宋体"), 13));
    b->SetHint(QStringLiteral("Header button: hover turns the caption bold blue and lifts the glyph"));
  }
  auto* strip = new toolkit::TPanel(header);
  strip->setGeometry(0, 96, 600, 41);
  strip->SetBevelOuter(toolkit::bvLowered);
  strip->SetColor(platform::RGB(243, 232, 255));
  strip->SetCaption(QStringLiteral("search strip"));

  // The speech bar: four 57×18 glyph buttons without frames.
  Title(page, QStringLiteral("Speech bar (glyph buttons, stNone)"), 620, 4);
  auto* bar = new toolkit::TPanel(page);
  bar->setGeometry(620, 24, 290, 32);
  bar->SetBorderStyle(toolkit::bsSingleBorder);
  bar->setFont(toolkit::MakeFont(QStringLiteral("宋体"), 15));
  const char* speech[] = {"朗读", "暂停", "继续", "停止"};
  for (int i = 0; i < 4; ++i) {
    auto* q = new TQexButton(bar);
    q->setGeometry(16 + 64 * i, 6, 57, 18);
    q->SetCaption(QString::fromUtf8(speech[i]));
    q->SetGlyph(SpeechGlyph(i));
    q->SetButtonStyle(TQexButton::stNone);
    q->SetFontColor(platform::clMaroon);
    q->SetRepeatInterval(50);
    q->SetRepeatStartInterval(50);
    q->SetPlayMusic(true);
  }
  auto* disabledSpeech = new TQexButton(page);
  disabledSpeech->setGeometry(620, 64, 57, 18);
  disabledSpeech->SetCaption(QStringLiteral("停止"));
  disabledSpeech->SetGlyph(SpeechGlyph(3));
  disabledSpeech->SetButtonStyle(TQexButton::stNone);
  disabledSpeech->setEnabled(false);
  new QLabel(QStringLiteral("← disabled (embossed)"), page);
  page->findChildren<QLabel*>().last()->move(682, 66);

  // Flat speed buttons in their states.
  Title(page, QStringLiteral("Flat speed buttons: up, latched group, disabled (1 and 4 cells), popup, caption only"), 8, 170);
  auto* menu = new QMenu(page);
  menu->addAction(QStringLiteral("第一项"));
  menu->addAction(QStringLiteral("第二项"));
  int x = 8;
  auto speedButton = [&](const QString& caption, const QImage& glyph, int w = 70) {
    auto* b = new TFlatSpeedButton(page);
    b->setGeometry(x, 190, w, 60);
    b->SetCaption(caption);
    b->SetGlyph(glyph);
    x += w + 8;
    return b;
  };
  speedButton(QStringLiteral("Up"), Strip(1));
  auto* g1 = speedButton(QStringLiteral("Group A"), Strip(4));
  auto* g2 = speedButton(QStringLiteral("Group B"), Strip(4));
  g1->SetGroupIndex(1);
  g2->SetGroupIndex(1);
  g2->SetDown(true);
  speedButton(QStringLiteral("Disabled"), Strip(1))->setEnabled(false);
  speedButton(QStringLiteral("Dis. 4"), Strip(4))->setEnabled(false);
  auto* pop = speedButton(QStringLiteral("Popup"), Strip(1));
  pop->SetPopupMenu(menu);
  pop->SetLayout(blGlyphLeft);
  pop->resize(90, 60);
  x += 20;
  auto* captionOnly = speedButton(QStringLiteral("下一条"), QImage(), 80);
  captionOnly->SetTransparent(tmNotFocused);
  auto* right = speedButton(QStringLiteral("Right"), Strip(1), 90);
  right->SetLayout(blGlyphRight);

  // Flat buttons and panels.
  Title(page, QStringLiteral("Flat buttons: default, plain, latched, disabled, see-through on a gradient"), 8, 258);
  auto* gradientBack = new TFlatPanel(page);
  gradientBack->setGeometry(8, 278, 600, 44);
  gradientBack->SetStyleFace(fsCustom);
  gradientBack->SetBackgropOrien(fdTopToBottom);
  gradientBack->SetBackgropStartColor(platform::RGB(255, 255, 255));
  gradientBack->SetBackgropStopColor(platform::RGB(150, 180, 230));
  const char* flatCaptions[] = {"&Default", "Plain", "Latched", "Disabled", "See-through"};
  for (int i = 0; i < 5; ++i) {
    auto* b = new TFlatButton(gradientBack);
    b->setGeometry(10 + 115 * i, 9, 100, 25);
    b->SetCaption(QString::fromLatin1(flatCaptions[i]));
    if (i == 0) b->SetDefault(true);
    if (i == 2) {
      b->SetGroupIndex(2);
      b->SetDown(true);
    }
    if (i == 3) b->setEnabled(false);
    if (i == 4) b->SetTransparent(tmAlways);
  }

  Title(page, QStringLiteral("Flat panels: the seven gradient directions, plain, see-through"), 8, 330);
  const TFillDirection dirs[] = {fdBottomToTop, fdCenterToVerti, fdCenterToHoriz, fdLeftToRight,
                                 fdRightToLeft, fdTopToBottom, fdXPFace};
  const char* dirNames[] = {"BottomToTop", "CenterToVerti", "CenterToHoriz", "LeftToRight",
                            "RightToLeft", "TopToBottom", "XPFace"};
  for (int i = 0; i < 7; ++i) {
    auto* panel = new TFlatPanel(page);
    panel->setGeometry(8 + (i % 4) * 195, 350 + (i / 4) * 50, 185, 41);
    panel->SetStyleFace(fsCustom);
    panel->SetBackgropOrien(dirs[i]);
    if (i == 6) {
      panel->SetBackgropStartColor(platform::RGB(255, 255, 255));
      panel->SetBackgropStopColor(platform::RGB(200, 210, 240));
    }
    panel->SetCaption(QString::fromLatin1(dirNames[i]));
  }
  auto* plain = new TFlatPanel(page);
  plain->setGeometry(8 + 3 * 195, 400, 90, 41);
  plain->SetCaption(QStringLiteral("Plain"));
  plain->SetAlignment(toolkit::taLeftJustify);
  auto* seeThrough = new TFlatPanel(header);
  seeThrough->setGeometry(505, 16, 85, 65);
  seeThrough->SetTransparent(true);
  seeThrough->SetCaption(QStringLiteral("see-through"));

  // Glyph buttons: the eight styles and the eleven kinds.
  Title(page, QStringLiteral("Glyph buttons: the eight styles (the last four framed ones take the focus)"), 8, 450);
  const TQexButton::TStyle styles[] = {TQexButton::stFlat,      TQexButton::stDefault,     TQexButton::stNone,
                                       TQexButton::stRaised,    TQexButton::stFlatDot,     TQexButton::stRaisedDot,
                                       TQexButton::stFrameLowered, TQexButton::stFrameRaised};
  const char* styleNames[] = {"Flat", "Default", "None", "Raised", "FlatDot", "RaisedDot", "FrLowered", "FrRaised"};
  for (int i = 0; i < 8; ++i) {
    auto* q = new TQexButton(page);
    q->setGeometry(8 + i * 100, 470, 92, 28);
    q->SetButtonStyle(styles[i]);
    q->SetGlyph(SpeechGlyph(i % 4));
    q->SetCaption(QString::fromLatin1(styleNames[i]));
  }
  Title(page, QStringLiteral("Glyph button kinds, popup mark and layouts"), 8, 506);
  for (int k = TQexButton::skOK; k <= TQexButton::skSilly; ++k) {
    auto* q = new TQexButton(page);
    const int i = k - 1;
    q->setGeometry(8 + (i % 6) * 100, 526 + (i / 6) * 32, 92, 28);
    q->SetButtonStyle(TQexButton::stRaised);
    q->SetButtonKind(static_cast<TQexButton::TKind>(k));
  }
  auto* mark = new TQexButton(page);
  mark->setGeometry(608, 526, 92, 28);
  mark->SetButtonStyle(TQexButton::stDefault);
  mark->SetGlyph(SpeechGlyph(0));
  mark->SetPopupMenu(menu);
  mark->SetPopupMenuMark(true);
  mark->SetLayout(TQexButton::blGlyphTop);
  mark->resize(92, 60);
  auto* top = new TQexButton(page);
  top->setGeometry(708, 526, 92, 60);
  top->SetButtonStyle(TQexButton::stFlat);
  top->SetGlyph(SpeechGlyph(1));
  top->SetCaption(QStringLiteral("Top"));
  top->SetLayout(TQexButton::blGlyphTop);
  top->SetHint(QStringLiteral("A glyph button"));
  top->SetHintSecondLine(QStringLiteral("with a second hint line"));

  // Hints and picture panels.
  Title(page, QStringLiteral("Flat hint (rest the pointer on the label) and picture panels"), 8, 596);
  auto* label = new HintLabel(QStringLiteral("诗词 (hint follows the pointer)"), page);
  label->setMouseTracking(true);
  label->move(8, 620);
  label->setToolTip(QStringLiteral("五言绝句"));
  QImage tile(50, 30, QImage::Format_RGB32);
  tile.fill(QColor(230, 240, 210));
  {
    QPainter p(&tile);
    p.setPen(QColor(120, 150, 90));
    p.drawRect(0, 0, 49, 29);
    p.drawLine(0, 0, 49, 29);
  }
  auto* tiled = new TsuiImagePanel(page);
  tiled->setGeometry(260, 616, 230, 80);
  tiled->SetPicture(tile);
  tiled->SetDrawStyle(TsuiImagePanel::suiTile);
  tiled->SetCaption(QStringLiteral("tiled, with caption"));
  auto* normal = new TsuiImagePanel(page);
  normal->setGeometry(500, 616, 120, 80);
  normal->SetPicture(Banner());
  normal->SetCaption(QStringLiteral("normal"));
  normal->SetAlignment(toolkit::taRightJustify);
  auto* empty = new TsuiImagePanel(page);
  empty->setGeometry(630, 616, 120, 80);
  empty->SetColor(platform::RGB(202, 228, 255));
  empty->SetCaption(QStringLiteral("no picture"));
  return page;
}
