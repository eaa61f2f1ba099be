// Life dates of the corpus converter. The input (UTF-8) is read as an author
// table's life dates and as the opening of a biography. A life read is
// ordered and written back reads as itself; the dates taken from a biography
// are of the author table's form and read as a valid life, as the shipped
// data's checks demand of every author row.
#include <QRegularExpression>
#include <QString>

#include "tests/fuzz/FuzzTarget.h"
#include "tools/corpus/Eras.h"
#include "tools/corpus/TextRules.h"

namespace {

using fuzz::Show;

std::string Year(const std::optional<int>& y) {
  if (!y) return "?";
  return *y < 0 ? "前" + std::to_string(-*y) : std::to_string(*y);
}

std::string Shown(const corpus::Life& l) {
  return (l.valid ? "" : "invalid ") + Year(l.born) + "-" + Year(l.died);
}

void CheckLife(const std::string& text) {
  const corpus::Life life = corpus::ParseLife(text);
  if (!life.valid) {
    CQ_FUZZ_CHECK_SAYING(!life.born && !life.died, Show(text) << " " << Shown(life));
    return;
  }
  CQ_FUZZ_CHECK_SAYING(!life.born || !life.died || *life.born <= *life.died, Show(text) << " " << Shown(life));
  for (const auto& y : {life.born, life.died})
    CQ_FUZZ_CHECK_SAYING(!y || (*y >= -9999 && *y <= 9999), Show(text) << " " << Shown(life));
  if (!life.born && !life.died) return;
  const std::string written = Year(life.born) + "-" + Year(life.died);
  const corpus::Life again = corpus::ParseLife(written);
  CQ_FUZZ_CHECK_SAYING(again.valid && again.born == life.born && again.died == life.died,
                       Show(text) << " " << Shown(life) << " written " << Show(written) << " " << Shown(again));
}

void CheckBiography(const std::string& bio) {
  const std::string dates = corpus::LifeDates(bio);
  if (dates.empty()) return;
  static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("(约)?[0-9]{2,4}-(约)?[0-9]{2,4}")));
  CQ_FUZZ_CHECK_SAYING(form.match(QString::fromStdString(dates)).hasMatch(), Show(bio) << " gave " << Show(dates));
  const corpus::Life life = corpus::ParseLife(dates);
  CQ_FUZZ_CHECK_SAYING(life.valid && life.born && life.died, Show(bio) << " gave " << Show(dates) << " " << Shown(life));
}

int Run(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckLife(text);
  CheckBiography(text);
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("life-dates", Run)
