#pragma once
// A container panel whose face is a picture, drawn at its natural size,
// stretched over the panel or tiled, optionally over a see-through background,
// with an optional one-line caption on top. Painted off-screen in one step.
#include <QImage>

#include "toolkit/Panel.h"

namespace styled {

class TsuiImagePanel : public toolkit::TPanel {
  Q_OBJECT

 public:
  enum TsuiDrawStyle { suiNormal, suiStretch, suiTile };
  Q_ENUM(TsuiDrawStyle)

 private:
  Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture)
  Q_PROPERTY(TsuiDrawStyle DrawStyle READ DrawStyle WRITE SetDrawStyle)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)

 public:
  explicit TsuiImagePanel(QWidget* parent = nullptr);

  // The face picture. A bitmap picture (`isBitmap`) is see-through in the colour
  // of its bottom-left pixel while the panel is Transparent; other formats, such
  // as JPEG, have no transparency of their own.
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture) { SetPicture(picture, false); }
  void SetPicture(const QImage& picture, bool isBitmap);
  // Loads the picture from a file or resource through Qt's image support.
  bool LoadPicture(const QString& fileName);
  TsuiDrawStyle DrawStyle() const { return drawStyle_; }
  void SetDrawStyle(TsuiDrawStyle v);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);

  // Where the picture goes on a client area of `client` (one rectangle per tile).
  static QList<QRect> PicturePlaces(TsuiDrawStyle style, QSize picture, QSize client);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Called when the picture changes: auto-size, transparency, repaint.
  virtual void PictureChanged();

 private:
  void ApplyAutoSize();

  QImage picture_;
  bool pictureIsBitmap_ = false;
  bool pictureTransparent_ = false;
  TsuiDrawStyle drawStyle_ = suiNormal;
  bool transparent_ = false;
  bool autoSize_ = false;
};

}  // namespace styled
