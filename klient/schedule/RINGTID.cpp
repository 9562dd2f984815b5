// The ring-time values the toolbar strip reads, empty until the ring-time
// code fills them.

#include "RINGTID.h"

int32_t RingBogstavBredde[2] = {0, 0};
char (*RingeGruppeStrTab)[kRingTekstLaengde] = nullptr;
uint32_t *RingeGruppeTab = nullptr;
uint32_t RingeGruppeAntal = 0;
char (*RingeSingleStrTab)[kRingTekstLaengde] = nullptr;
uint32_t *RingeSingleTab = nullptr;
uint32_t RingeSingleAntal = 0;
