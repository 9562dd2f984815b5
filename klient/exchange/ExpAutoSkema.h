#pragma once
// The AutoSkema export: one week of the schedule and of the subject plan
// as the JSON document data/as_exp.json, for the server contact to hand to
// the automatic timetabling module. The document is built whole in memory
// and written through the crash-safe save only when it is complete, so an
// export that stops leaves no file, and the week's earlier AutoSkema
// events are deleted only then. Main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "DATO.h"
#include "windows.h"

// The document under construction.
struct AutoSkemaDok {
  std::string tekst;
  void Printf(const char *format, ...) __attribute__((format(printf, 2, 3)));
  // A record's text field between quotes, cut at its first zero byte or at
  // the field's size, with quote, backslash and control characters escaped.
  void Tekst(const char *felt, size_t stoerrelse);
};

// One byte per record of the activity, employment, ring-system and subject
// tables: set when a section writes something that refers to the record;
// later sections write only marked records.
struct AutoSkemaMaerker {
  uint8_t *data = nullptr;
  size_t antal = 0;
  AutoSkemaMaerker() = default;
  AutoSkemaMaerker(const AutoSkemaMaerker &) = delete;
  AutoSkemaMaerker &operator=(const AutoSkemaMaerker &) = delete;
  ~AutoSkemaMaerker();
};
struct AutoSkemaValg {
  AutoSkemaMaerker akti, anfo, risy, skfa;
  // False when the memory cannot be had (taken through the data store's
  // table allocator, which tests can make fail).
  bool Alloker();
};

// What the sections share during one export.
struct AutoSkemaEksport {
  Uge uge = 0;
  Dato mandag = 0, soendag = 0;
  uint32_t gruppe = 0;  // the plan group (ffpg record) of the plan window
  AutoSkemaValg valg;
  // The lessons already scheduled per (activity, subject, employment)
  // record numbers.
  std::vector<std::pair<uint64_t, uint32_t>> skemalagt;
  // The week's earlier AutoSkema events (first rows), deleted once the
  // document is written.
  std::vector<uint32_t> gamleAuto;
  uint32_t Skemalagt(uint32_t akti, uint32_t skfa, uint32_t anfo) const;
};

// The command (menu 40282, and the plan window's Shift+Ctrl+E).
void ExpAutoSkema();

// The sections. SkrivPlanbegivenheder answers false when the export stops
// (the lessons do not fit the week, or the group dialog was cancelled).
void SkrivParametre(AutoSkemaDok *dok, const AutoSkemaEksport &e);
void SkrivSkemabegivenheder(AutoSkemaDok *dok, AutoSkemaEksport *e);
bool SkrivPlanbegivenheder(AutoSkemaDok *dok, AutoSkemaEksport *e);
void SkrivAktiviteter(AutoSkemaDok *dok, AutoSkemaEksport *e);
void SkrivMedarbejdsperioder(AutoSkemaDok *dok, const AutoSkemaEksport &e);
void SkrivSkolefagLokale(AutoSkemaDok *dok, const AutoSkemaEksport &e);
void SkrivAktivitetLokale(AutoSkemaDok *dok, const AutoSkemaEksport &e);

// The plan groups other than the current one that plan, in the week, for
// an employment the current group plans for (ffpg record numbers, in
// record order).
std::vector<uint32_t> FindAndrePlanGrupper(const AutoSkemaEksport &e);

// The dialog "Medarbejder i andre plan grupper"; its parameter is the
// std::vector<uint32_t> of groups, which OK leaves holding the chosen ones.
INT_PTR CALLBACK AndrePlanGrupperDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
