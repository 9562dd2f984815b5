// The crash-safe save of the data folder: every writer of its data and ini
// folders goes through it. Each file a save changes is written whole under a
// temporary name beside it ("<name>.gemny") and flushed to the disk; then a
// commit record (data\gemning.jnl) naming the renames is written and
// flushed, the files are renamed over the old ones, the folders are
// flushed and the record is removed. After a kill or a power cut at any
// point, GendanAfbrudtGemning finishes the renames when the record is whole
// and removes the temporary files when it is not, so the folder holds every
// file as the last complete save left it or every file as the new save
// wrote it, never a mix inside a file or across files. A save may also
// remove files; the removals are named in the record and done with the
// renames.
//
// A save is a Gemning: the files its thread writes while it runs
// (SaveTab, the side files, the text files, the group files ...) are one
// commit. A writer called without a running save makes a save of its own
// for its one file. One save runs at a time in the process, and one per
// data folder across processes: a save (and the recovery) holds the lock of
// the folder's lock file (gemning.laas) from its start to its end, and
// another program's save waits for it, at most GemningVentetid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "STITAB.h"
#include "windows.h"

#define TAVO_GEM_PRINTF(f, a) __attribute__((format(printf, f, a)))

// What made a save fail.
struct GemFejl {
  char Fil[kStiLaengde];  // the file as the program names it
  DWORD Fejl;             // the Windows error
  // The save had been committed when it failed: its files become the
  // folder's when the next start (or the next save) finishes the renames.
  // Otherwise the folder is exactly as before the save.
  bool Besluttet;
};

struct GemTilstand;

class Gemning {
 public:
  // Starts a save on this thread, or joins the save the thread already
  // runs. A save started here waits while another thread's save runs, or
  // another program's on the same data folder; with vent false it gives up
  // at once (Aktiv() is then false). When the other program's save does not
  // end within GemningVentetid, the save is active but failed from the
  // start (ERROR_LOCK_VIOLATION on the lock file): it writes nothing and
  // its caller reports it. A commit record left by an interrupted save is
  // finished first.
  explicit Gemning(bool vent = true);
  // A save started here and not committed is abandoned: its temporary
  // files are removed and the folder stays as it was.
  ~Gemning();
  Gemning(const Gemning &) = delete;
  Gemning &operator=(const Gemning &) = delete;

  bool Aktiv() const { return t_ != nullptr; }
  // Commits a save started here; a joined save only answers whether it
  // has failed so far. False when any step failed (see GemFejl).
  bool Fuldfoer();
  // After Fuldfoer of a save started here: whether it was decided, so that
  // its files are the folder's, now or (when finishing the renames failed)
  // from the next start or save.
  bool Besluttet() const;
  // Hands a running save to another thread: Slip here, Tag there, before
  // the other thread writes its files.
  void Slip();
  void Tag();

 private:
  GemTilstand *t_ = nullptr;
  bool ejer_ = false;
  bool afsluttet_ = false;
  bool laast_ = false;  // holds the process's and the folder's lock
};

// One file of the running save, written whole under its temporary name.
// Writes are buffered; the first failure is kept, later calls do nothing
// and answer false, and the save fails.
class GemFil {
 public:
  GemFil();
  // A file not closed is dropped and its save fails.
  ~GemFil();
  GemFil(const GemFil &) = delete;
  GemFil &operator=(const GemFil &) = delete;

  // sti: the file as the program names it. tekst: "\n" is written as CR LF
  // (a file Windows opens in text mode).
  bool Aabn(const char *sti, bool tekst = false);
  bool Skriv(const void *data, size_t n);
  bool Printf(const char *format, ...) TAVO_GEM_PRINTF(2, 3);
  // n bytes of another file from offset pos.
  bool KopierFra(HANDLE kilde, uint64_t pos, uint64_t n);
  // Sets the file's length (the bytes written are kept up to it).
  bool SaetLaengde(uint64_t n);
  // Flushes the file to the disk and adds it to the save; a save of its
  // own is committed here.
  bool Luk();
  // The Windows error of the first failure, 0 while none.
  DWORD Fejl() const { return fejl_; }

 private:
  bool Toem();
  bool Mislyk(DWORD fejl);

  std::unique_ptr<Gemning> egen_;
  GemTilstand *t_ = nullptr;
  std::string sti_, tmp_;
  HANDLE h_;
  std::vector<char> buf_;
  bool tekst_ = false;
  bool aaben_ = false;
  DWORD fejl_ = 0;
};

// A failure of a writer outside GemFil (a file it must read, a name that
// does not fit): the running save fails with it.
void GemMislykket(const char *fil, DWORD fejl);

// Copies the file fra over til as part of the running save (or as a save
// of its own). A file the running save has written is copied as the save
// leaves it. False when fra cannot be read or til cannot be written.
bool GemKopi(const char *fra, const char *til);
// Whether a file exists as the running save leaves it.
bool GemFindes(const char *sti);
// Removes the file as part of the running save (or as a save of its own):
// it goes when the save is decided, and stays when the save fails, so a
// file that the saved data has consumed goes exactly with that data. A
// file already gone is no failure.
bool GemSlet(const char *sti);

// At start-up, before the load, in a run that holds the data folder's lock
// file: finishes or undoes an interrupted save and removes every temporary
// file it left, under the save's folder lock (waiting for another
// program's save to end). False when a committed save could not be
// finished or the folder stayed busy: the folder is then not fit to load
// (SidsteGemFejl says why; show it with VisGemFejl).
bool GendanAfbrudtGemning();

// The last failure of a save or of the recovery in this process, and
// whether there was one.
bool SidsteGemFejl(GemFejl *pFejl);
// The message box of a failed save: caption "Gem", the file, the Windows
// error text, and what became of the data.
void VisGemFejl(HWND hEjer, const GemFejl &fejl);

// The temporary name of a file the save writes, and the commit record.
extern const char kGemTmpEndelse[];  // ".gemny"
bool GemJournalSti(char *buf, size_t n);
// The lock file of the data folder's savers. It is never removed: a
// program waiting on it must lock the same file as the one holding it.
bool GemLaasSti(char *buf, size_t n);
// How long a save waits for another program's save on the same data
// folder, in milliseconds.
extern DWORD GemningVentetid;

// Whether files and folders are flushed to the disk (always in the
// programs; the save benchmark turns it off to show what durability costs).
extern bool GemningFsync;
