#pragma once
// The employments' period chains: each employment's time line cut once into
// periods in which its terms (ansk), agreement (araf), accounting period
// (opgper) and agreement term (aftalop) stay the same, and the answers read
// from them: terms, agreement and accounting period at a date, the daily
// norm, period norms, norm adjustments and buffer hours. Built on the main
// thread after a load or an import; the planning workers only read.

#include <cstdint>

#include "DATO.h"
#include "REGNING.h"

#pragma pack(push, 1)
struct MedPerRec {
  uint32_t anfo_id;
  uint32_t ansk_id;
  uint32_t araf_id;
  uint32_t opgper_id;
  uint32_t aftalop_id;
  uint32_t Fradato;
  uint32_t Tildato;
  uint32_t neste_medper;
};
struct MedPerIdx {
  uint32_t forste_buftim;
  uint32_t forste_normjust;
  uint32_t forste_medper;
};
#pragma pack(pop)
static_assert(sizeof(MedPerRec) == 32);
static_assert(sizeof(MedPerIdx) == 12);

constexpr uint32_t MEDPER_BLOK = 10000;

extern MedPerRec *MedPerTab;        // entry 0 empty; periods from 1
extern uint32_t MedPerAntal;        // periods built, entry 0 included
extern MedPerIdx *MedPerIdxTab;     // one per anfo record number 0..count
extern uint32_t MedPerIdxAntal;


void BuildMedPer();
// Frees both arrays (the chains answer nothing until the next build).
void FreeMedPer();

// With pSpan, it is narrowed to the dates that give the same answer.
uint32_t MedPerAnsk(uint32_t anfo, Dato dato, DatoSpan *pSpan = nullptr);
uint32_t MedPerAraf(uint32_t anfo, Dato dato, DatoSpan *pSpan = nullptr);
uint32_t MedPerAftalop(uint32_t anfo, Dato dato);
// Without the norm system an opgper record, with it an opgperiode record.
uint32_t MedPerOpgPer(uint32_t anfo, Dato dato);

Dato GetOpgPerFra(Dato dato, uint32_t anfo);
Dato GetOpgPerTil(Dato dato, uint32_t anfo);
void GetOpgPerMonths(Dato dato, uint32_t anfo, MaanedIndeks *pFoerste, MaanedIndeks *pSidste,
                     int32_t *pNorm);
// Thousandths of an hour.
int32_t GetDagsNorm(uint32_t anfo, Dato dato);
// Whole hours.
int32_t BeregnPeriodeNorm(uint32_t anfo, Dato fra, Dato til);
Dato StdOpgPerFra();
Dato StdOpgPerTil();
float SumNormJust(uint32_t anfo, Dato fra, Dato til);
float GetBufTimSaldo(uint32_t anfo, Dato dato);
uint32_t FindAnskAtDate(uint32_t anfo, Dato dato);
uint32_t FindAnscAtDate(uint32_t anfo, Dato dato);

