#include "app/SkinOption.h"

#include <cstdio>

#include "app/MainForm.h"
#include "skin/engine/SkinData.h"
#include "toolkit/IniFile.h"

namespace app {

bool ApplySkinOption(TForm1* form, const QStringList& args) {
  const qsizetype at = args.indexOf(QStringLiteral("--skin"));
  if (at < 0) return true;
  const QString value = at + 1 < args.size() ? args[at + 1] : QString();
  if (value == QLatin1String("off")) {
    form->SkinData1->SetActive(false);
    return true;
  }
  bool ok = false;
  const int n = value.toInt(&ok);
  if (!ok || n < 0 || n > 7) {
    std::fprintf(stderr, "--skin takes 0 (the stored skin), 1 ... 7 or off, not \"%s\"\n", value.toLocal8Bit().constData());
    return false;
  }
  if (n > 0) form->SkinData1->SetSkinFile(toolkit::ProgramFile(QStringLiteral("skins/%1.skn").arg(n)));
  return true;
}

}  // namespace app
