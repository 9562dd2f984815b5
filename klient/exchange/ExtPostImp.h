// The external postings import: hours worked per employee, activity and date
// from a text file made by an outside system, checked against the
// activities, employments and periods of the installation, reported, and
// after two confirmations added as time postings. The file's settings live
// in [ExtPost] path and filnavn, the run's log in log\ExtPost.log.
// Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "DATO.h"
#include "windows.h"

constexpr size_t kExtPostTekst = 24;  // a name or initials field; longer ones are cut

// One posting line of the file.
struct ExtPostRec {
  char Aktivitet[kExtPostTekst + 1];
  char Initialer[kExtPostTekst + 1];
  uint32_t Dato;  // YYYYMMDD
  int32_t Timer;  // hours x 100, rounded to one decimal
  bool Tom;       // the line held nothing
};

// What the check found for a posting record.
struct ExtPostResultat {
  uint32_t akti_id = 0;            // 0: none taken
  std::vector<uint32_t> anfo;      // the fitting employments, lowest running number first
  uint32_t Dato = 0;
  int32_t Timer = 0;
};

// The dialog's answers and what the file's top line decides.
struct ExtPostDlgData {
  char Sti[260];
  char FilNavn[260];
  int32_t TavoNr;   // the installation the file is meant for; 0 without a top line
  uint32_t Maaned;  // YYYYMM of the top line, 0 for the schedule period
  Dato FraDato, TilDato;
};

struct ExtPostTaellere {
  uint32_t AktiMangler, AnsatMangler, AktiPeriode, AnsatPeriode, PostPeriode;
  uint32_t Sammenfald;         // postings already present
  uint32_t FlereAnsaettelser;  // employees with several fitting employments
};
extern ExtPostTaellere ExtPostTal;

// What a line of the file is.
enum class ExtPostLinje { Kommentar, Top, Postering };

// Cleans a line in place (ends trimmed, every inner blank removed) and reads
// it: a top line into the dialog data's TavoNr, Maaned and period (the
// schedule period when year and month are both 0), a posting line into rec.
ExtPostLinje FortolkExtPostLinje(char *linje, ExtPostDlgData &dlg, ExtPostRec &rec);
// Hours with a decimal comma or point as hundredths, rounded to one decimal
// half away from zero ("7,25" gives 730).
int32_t ExtPostTimer(const char *tekst);
// Reads the file named by the dialog data; the records from index 1 (index
// 0 is empty). Their number, 0 when the file cannot be read.
uint32_t LaesExtPostFil(ExtPostDlgData &dlg, std::vector<ExtPostRec> &poster);

// The checks of the records over the period fra..til: the results (index
// parallel to the records), the counters and the log lines (null: no log).
// The initials of the records are upper-cased.
std::vector<ExtPostResultat> TjekExtPost(std::vector<ExtPostRec> &poster, Dato fra, Dato til, FILE *log);
// The postings of the results already present in the buckets (logged).
uint32_t TjekPostsammenfald(const std::vector<ExtPostRec> &poster, const std::vector<ExtPostResultat> &res,
                            FILE *log);
// Adds the checked postings and their activity/employment relations.
void ImporterExtPost(const std::vector<ExtPostResultat> &res, FILE *log);

// The dialog "Extern import" (IDD_EXTSKEMAFIL); lParam the ExtPostDlgData.
// OK with both fields filled and the file present ends it with 1.
INT_PTR CALLBACK ExtPostDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The import after its dialog.
void ExtPostImport(HWND hovedvindue);
// The menu command: the information box, then ExtPostImport.
void ExtPostKommando(HWND hovedvindue);
