// The schedule's event operations handed to the data store's resend of the
// schedule (GensendKrog), which cannot reach the schedule directly.
#pragma once

#include <cstdint>

// The resend reads each event into a description of its own (freed by
// AddGensendBegivenhed), removes the event for good, sets the lesson times
// of the description and writes it again as a new event of the status.
void *HentGensendAVS(uint32_t uge, uint32_t forste);
void SletGensendBegivenhed(uint32_t uge, uint32_t forste);
void SaetLektionsTider(void *beskrivelse, uint32_t starttid, uint32_t sluttid, float antal);
void AddGensendBegivenhed(void *beskrivelse, uint32_t status);
