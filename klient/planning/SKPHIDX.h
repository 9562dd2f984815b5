// The order of the subjects on activities (skph) that the planning module
// and the timetable import list them in.
#pragma once

#include <cstdint>

// Sorts liste[1..antal] (skph record numbers) by the shown texts of the
// activity and the subject, each in its display width, then the subject's
// level letter. Records that tie keep their order.
void SortSkphIdx(uint32_t *liste, uint32_t antal);
