#pragma once
// Readings of classical verse that the pinyin dataset, made for today's
// language, gets wrong: a character read otherwise where it means something
// else in older Chinese (骑 jì, a rider; 说 yuè, to delight), where the metre
// wants a level tone (看 kān), or where the rhyme keeps an older sound (斜 xiá).
// Each entry names a line of verse that reads so.
#include <QStringView>
#include <span>

namespace study {

struct ClassicalReading {
  enum Where {
    kAnywhere,        // wherever the context stands
    kLineEnd,         // the character ends its line (a rhyme position)
    kLevelPosition,   // an even place of a line of five or seven that the metre wants level
  };
  // The characters around; the entry reads context[at]. An entry of one
  // character and kAnywhere stands for the character's own reading.
  QStringView context;
  int at = 0;
  QStringView reading;
  Where where = kAnywhere;
  QStringView line;  // a line of verse read so
};

std::span<const ClassicalReading> ClassicalReadings();

}  // namespace study
