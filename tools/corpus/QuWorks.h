#pragma once
// Joins the records of the package's qu collection into works: a piece of one
// tune, a suite (套数) of several, an act of a play, or an aria of a southern
// play.
#include <string>
#include <vector>

namespace corpus {

struct QuRecord {
  std::string title;   // simplified, as the package writes it
  std::string author;  // may name the play: "高明《蔡伯喈琵琶记》"
  std::vector<std::string> lines;
};

struct QuWork {
  std::string author;  // without the play; the package's word for unknown authors stays
  std::string title;
  // Mode and tune ("双调·沉醉东风"); "北曲·" before a northern tune whose mode
  // the package never gives, "南曲·" before a southern play's tune.
  std::string form;
  std::vector<std::string> lines;
  size_t records = 0;       // package records read into it, its first one included
  size_t emptyRecords = 0;  // of those, further tunes without text (left out)
  bool suite = false;       // further tunes joined
};

// The form prefixes of tunes without a mode.
extern const char* const kNorthernNoMode;  // "北曲"
extern const char* const kSouthern;        // "南曲"

// Groups the records in the package's order.
//  - A record that opens a piece ("双调·沉醉东风…") or a play's act ("…·仙吕/点绛唇",
//    "仙吕/点绛唇") begins a work. Its title is the tune with the subtitle
//    ("沉醉东风·渔夫"), or the play with the tune ("诈妮子调风月·点绛唇"); its form
//    is the mode and the tune.
//  - Further tunes of the same author join the work before them: the tunes of
//    a suite ("梁州·…", "·…", "幺篇"), the arias of the open act ("诈妮子调风月·混江龙",
//    or a tune alone after an act opened without a play's name). Each begins
//    a new stanza headed by its name in 【】; verse the package put into the
//    title goes before the record's first line, which continues it.
//  - A further tune without a work of its author before it begins one.
//  - A tune given without its mode takes the mode the package gives that tune
//    most often elsewhere.
//  - Records of a southern play (named in the author field) stay one aria
//    each, titled with the play; "同前", "同上" and "前腔" (also with "换头") name
//    the tune before.
std::vector<QuWork> GroupQu(const std::vector<QuRecord>& records);

}  // namespace corpus
