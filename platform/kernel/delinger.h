#pragma once
// Share modes of open files, kept where every process of the project sees
// them, so that CreateFile, the C run-time's fopen, DeleteFile and
// MoveFile(Ex) refuse what Windows refuses, between the handles of one
// process and between processes.

#include <sys/types.h>

#include <memory>

#include "win/types.h"

namespace tavo {

// What an open asks for and what it lets others do, reduced to the three
// kinds of access that sharing is about.
enum DelingsBit : unsigned { kDelLaes = 1, kDelSkriv = 2, kDelSlet = 4 };

// The access bits of a CreateFile access mask (GENERIC_* as Windows maps
// them to file rights).
unsigned DelingsAdgang(DWORD access);

// One open's place in the share table, held until destroyed.
class Deling {
 public:
  explicit Deling(int fd) : fd_(fd) {}
  ~Deling();
  Deling(const Deling &) = delete;
  Deling &operator=(const Deling &) = delete;

 private:
  int fd_;
};

// Asks the file (its device and inode) for access adgang while sharing
// deling (both DelingsBit sets). ERROR_SUCCESS with *ud set to the open's
// place (null when the open takes part in no sharing, or when the table
// cannot be used on this machine); ERROR_SHARING_VIOLATION when an open
// already there does not share what is asked, or asks what is not shared.
DWORD TagDeling(dev_t dev, ino_t ino, unsigned adgang, unsigned deling, std::unique_ptr<Deling> *ud);

// Holds the files named (one or two) against new opens while a removal or
// rename of them goes ahead, so that no open slips in between the check
// and the change.
class DelingsPort {
 public:
  // One file, or two (a rename's source and target); two are taken in a
  // fixed order, so two renames the other way round cannot wait for each
  // other for ever.
  DelingsPort(dev_t dev, ino_t ino);
  DelingsPort(dev_t dev, ino_t ino, dev_t dev2, ino_t ino2);
  ~DelingsPort();
  DelingsPort(const DelingsPort &) = delete;
  DelingsPort &operator=(const DelingsPort &) = delete;

  // Whether an open of a held file does not share deleting it.
  bool SletningNaegtes(dev_t dev, ino_t ino) const;
  // Whether a held file is open to read, write or delete at all.
  bool Aaben(dev_t dev, ino_t ino) const;

 private:
  int fd_;
};

}  // namespace tavo
