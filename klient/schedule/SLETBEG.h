// Deleting schedule events. An event the server knows stays in its bucket
// marked for the deletion to be sent; any other event's rows are freed in
// place, so the rows of other events keep their numbers. A pending change
// is withdrawn instead of deleting its event. Main thread only.
#pragma once

#include <cstdint>

// A change letter of a pending change ('=', '?', '@', 'A').
bool ErAendringsBogstav(uint8_t fejl);

// Deletes the event at (year index, week, first row): 1 when a row was
// deleted or marked, 0 otherwise, also when only a pending change on the
// first row was withdrawn. A live event's figures leave the count tables
// first. Moves the change counters (AendringsTaellere) and repaints the
// event-status pane when there is one.
uint8_t SletBegivenhed(uint8_t aarIdx, uint8_t uge, uint32_t forste);

// Removes the event for good before it is written again: when
// SletBegivenhed only withdrew a pending change, the rows are still live,
// so it deletes a second time. An event rewritten through this never exists
// twice. The result is that of the deletion that removed the rows.
uint8_t SletBegivenhedEndeligt(uint8_t aarIdx, uint8_t uge, uint32_t forste);
