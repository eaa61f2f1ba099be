#include "toolkit/Fonts.h"

namespace toolkit {

void InstallFontSubstitutes() {
  static bool done = false;
  if (done) return;
  done = true;
  QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                                                    QStringLiteral("Noto Sans CJK SC")});
  QFont::insertSubstitutions(QStringLiteral("楷体"), {QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC")});
  QFont::insertSubstitutions(QStringLiteral("黑体"), {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK")});
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
}

namespace {

bool IsSans(const QString& family) {
  return family == QStringLiteral("黑体") || family.contains(QStringLiteral("Sans"), Qt::CaseInsensitive);
}

bool IsKai(const QString& family) {
  return family == QStringLiteral("楷体") || family.contains(QStringLiteral("Kai"), Qt::CaseInsensitive);
}

QFont WithFamily(const QFont& font, const QString& family) {
  QFont f = font;
  f.setFamilies({family});
  return f;
}

}  // namespace

QFont TraditionalFace(const QFont& font) {
  const QString family = font.family();
  if (IsKai(family)) return WithFamily(font, QStringLiteral("AR PL UKai TW"));
  return TraditionalTextFace(font);
}

QFont TraditionalTextFace(const QFont& font) {
  return WithFamily(font, IsSans(font.family()) ? QStringLiteral("Noto Sans CJK TC") : QStringLiteral("Noto Serif CJK TC"));
}

QFont MakeFont(const QString& family, int heightPx, bool bold) {
  InstallFontSubstitutes();
  QFont f(family);
  f.setPixelSize(heightPx > 0 ? heightPx : 12);
  f.setBold(bold);
  return f;
}

}  // namespace toolkit
