// Feeds arbitrary bytes to the skin reader, the INI parser and the BMP
// loader. The first byte picks the entry point; the rest is the input.
#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/Dialogs.h"
#include "skin/core/BmpLoader.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"

namespace {


void ExerciseArchive(const skin::TSkinReader& reader) {
  QByteArray entry;
  QString name;
  for (const QByteArray& n : reader.Names()) {
    reader.FindEntry(QString::fromLatin1(n), entry);
    reader.ReadImage(QString::fromLatin1(n));
  }
  if (reader.FindEntryContaining(QStringLiteral(".ini"), entry, name)) {
    skin::TQuickIni ini;
    ini.LoadFromStream(entry);
    skin::TSkinElements elements;
    skin::ReadSkinElements(ini, reader, elements);
  }
}

void ExerciseIni(const QByteArray& bytes) {
  skin::TQuickIni ini;
  ini.LoadFromStream(bytes);
  QStringList sections;
  ini.ReadSections(sections);
  for (const QString& s : sections) {
    ini.ReadString(s, QStringLiteral("Image"), QString());
    ini.ReadInteger(s, QStringLiteral("Action"), 0);
    skin::ParseSkinColour(ini.ReadString(s, QStringLiteral("ButtonFace"), QString()), 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool installed = [] {
    platform::SetDialogs(std::make_unique<platform::SilentDialogs>());
    return true;
  }();
  (void)installed;
  if (size < 1) return 0;
  const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  switch (data[0] % 4) {
    case 0: {
      skin::TSkinReader reader;
      // Keeps each run short: a declared length above 1 MiB is refused.
      reader.SetMaxArchive(1 << 20);
      if (reader.OpenSkin(input)) ExerciseArchive(reader);
      break;
    }
    case 1:
      ExerciseIni(input);
      break;
    case 2: {
      const QImage image = skin::LoadBmp(input);
      if (!image.isNull() && image.width() * image.height() > 0) (void)image.pixel(0, 0);
      break;
    }
    default: {
      skin::TSkinReader reader;
      if (reader.OpenArchive(input)) ExerciseArchive(reader);
      break;
    }
  }
  return 0;
}
