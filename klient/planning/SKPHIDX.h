// The order of the subjects on activities (skph) that the planning module
// and the timetable import list them in.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// Sorts liste[1..antal] (skph record numbers) by the shown texts of the
// activity and the subject, each in its display width, then the subject's
// level letter. Records that tie keep their order.
void SortSkphIdx(uint32_t *liste, uint32_t antal);

// Sorts many lists as SortSkphIdx does, keeping the subjects' shown texts
// from one list to the next: a list of one activity's pairs is ordered by
// its subjects alone, and a school's activities share few subjects. The
// texts are taken as the tables stand when first asked: one instance
// serves one pass over tables that do not change under it.
class SkphOrdner {
 public:
  void Sorter(uint32_t *liste, uint32_t antal);

 private:
  std::unordered_map<uint64_t, std::string> fag_;  // (field value, subject) -> key part
};
