#pragma once
// Absence codes and schedule-role kinds. A role's kind comes from three
// sources the school may fill in: the payroll reason codes of the role
// (sls_koder), the activity-type code of its loty record (through eakt when
// that is set) and the role's own short text. All are pure reads.

#include <cstddef>
#include <cstdint>

constexpr size_t AKTTYPE_LEN = 5;   // loty/eakt Aktivitetstype with its terminator
constexpr size_t AKTITYPE_LEN = 11; // akti Type with its terminator

// Activity-type code lists; exact, case-sensitive, null is no code.
bool ErAfspadseringKode(const char *kode);
bool ErOmsorgKode(const char *kode);
bool ErSygdomKode(const char *kode);
bool ErFerieKode(const char *kode);
bool ErShKode(const char *kode);

// The role's activity-type code, or null. The text lives in a buffer of the
// calling thread that the next call overwrites.
const char *SkemarolAktivitetstype(uint32_t rol);
// Copies the code into buf (at most n bytes with the terminator); writes
// nothing when the role has none.
void HentSkemarolAktivitetstype(uint32_t rol, char *buf, size_t n = AKTTYPE_LEN);
// The activity's Type into typeBuf and its activity-type code into kodeBuf
// (empty when it has none).
void AktiTypeTekster(uint32_t akti, char *typeBuf, char *kodeBuf, size_t typeN = AKTITYPE_LEN,
                     size_t kodeN = AKTTYPE_LEN);

// First sls_koder record of the role (counting from record 0); 0 when none.
uint32_t FindSlsKodeForSkemarol(uint32_t rol);
// The sls_koder record of the role with exactly this reason code; 0 when none.
uint32_t FindSlsKode(uint32_t rol, const char *kode);

bool SkemarolErAfspadsering(uint32_t rol);
bool SkemarolErOmsorg(uint32_t rol);
bool SkemarolErBS1(uint32_t rol);
bool SkemarolErBS2(uint32_t rol);
bool SkemarolErOP(uint32_t rol);
bool SkemarolErSygdom(uint32_t rol);
bool SkemarolErFerie(uint32_t rol);
bool SkemarolErSaerligFerie(uint32_t rol);
bool SkemarolErFravaer(uint32_t rol);
bool SkemarolHarSls505(uint32_t rol);
bool SkemarolHarSls500Eller505(uint32_t rol);
bool SkemarolHarSls520Eller530(uint32_t rol);
