// Share modes across processes: a table of open-file-description locks in
// one file of the user's own, never in the files themselves.
//
// Why a table file of its own: locks on the shared files would meet the
// byte-range locks that LockFileEx takes on them, need a descriptor opened
// for reading and writing (a file opened for reading alone cannot hold a
// write lock), and would go with a descriptor handed to a child as its
// standard handle. The table's descriptors are close-on-exec and never
// handed on, so a child never keeps a share alive; a process that ends, by
// a crash too, lets go of its shares as its descriptors close.
//
// Each file (device and inode) has an 8-byte slot in the table, at a place
// a hash of the two picks among 2^40 (two files of one run sharing a slot
// is a chance of about one in 10^9 for a thousand files, and would only
// make an open refuse that Windows grants):
//   byte 0      the gate, held write-locked while an open checks the slot
//               and takes its place, or a removal or rename goes ahead;
//   bytes 1..3  read-locked by each open that reads, writes, deletes;
//   bytes 4..6  read-locked by each open that does not share reading,
//               writing, deleting.
// A lock of another open shows as a conflict of a write lock tested on its
// byte; the open's own locks never do, as they are held by its own
// description.
#include "delinger.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <utility>

#include "win/kernel.h"

namespace tavo {

namespace {

constexpr off_t kPort = 0;
constexpr off_t kAdgang = 1;
constexpr off_t kNaegter = 4;

// The table, one new description of it per call (each open's locks are its
// description's); -1 when this machine gives none.
int AabnTabel() {
  char sti[64];
  snprintf(sti, sizeof sti, "/tmp/.tavo-delinger-%u", (unsigned)geteuid());
  int fd;
  do {
    fd = ::open(sti, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  // Only a file of the user's own: another user's file could be held
  // against every open.
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    ::close(fd);
    return -1;
  }
  return fd;
}

off_t Slot(dev_t dev, ino_t ino) {
  // splitmix64 over both numbers spreads neighbouring inodes apart.
  uint64_t x = (uint64_t)dev * 0x9E3779B97F4A7C15ull ^ (uint64_t)ino;
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  return (off_t)((x & ((1ull << 40) - 1)) * 8);
}

bool Laas(int fd, short type, off_t at, bool vent) {
  struct flock fl = {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = at;
  fl.l_len = 1;
  int rc;
  do {
    rc = fcntl(fd, vent ? F_OFD_SETLKW : F_OFD_SETLK, &fl);
  } while (rc != 0 && errno == EINTR);
  return rc == 0;
}

// Whether another description holds a lock on the byte.
bool Optaget(int fd, off_t at) {
  struct flock fl = {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = at;
  fl.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
  return fl.l_type != F_UNLCK;
}

}  // namespace

unsigned DelingsAdgang(DWORD access) {
  unsigned a = 0;
  if (access & (GENERIC_READ | GENERIC_EXECUTE | GENERIC_ALL)) a |= kDelLaes;
  if (access & (GENERIC_WRITE | GENERIC_ALL)) a |= kDelSkriv;
  if (access & GENERIC_ALL) a |= kDelSlet;
  return a;
}

Deling::~Deling() {
  if (fd_ >= 0) ::close(fd_);  // lets go of every lock of the open
}

DWORD TagDeling(dev_t dev, ino_t ino, unsigned adgang, unsigned deling, std::unique_ptr<Deling> *ud) {
  ud->reset();
  adgang &= kDelLaes | kDelSkriv | kDelSlet;
  // An open that neither reads, writes nor deletes takes no part in
  // sharing, as on Windows.
  if (adgang == 0) return ERROR_SUCCESS;
  int fd = AabnTabel();
  if (fd < 0) return ERROR_SUCCESS;
  const off_t slot = Slot(dev, ino);
  if (!Laas(fd, F_WRLCK, slot + kPort, true)) {
    // A file system without these locks cannot hold shares: the open goes
    // ahead unguarded rather than failing every time.
    ::close(fd);
    return ERROR_SUCCESS;
  }
  bool naegtet = false;
  for (unsigned i = 0; i < 3 && !naegtet; ++i) {
    const unsigned bit = 1u << i;
    if ((adgang & bit) && Optaget(fd, slot + kNaegter + i)) naegtet = true;
    if (!(deling & bit) && Optaget(fd, slot + kAdgang + i)) naegtet = true;
  }
  bool ok = !naegtet;
  for (unsigned i = 0; i < 3 && ok; ++i) {
    const unsigned bit = 1u << i;
    if (adgang & bit) ok = Laas(fd, F_RDLCK, slot + kAdgang + i, false);
    if (ok && !(deling & bit)) ok = Laas(fd, F_RDLCK, slot + kNaegter + i, false);
  }
  Laas(fd, F_UNLCK, slot + kPort, false);
  if (!ok) {
    ::close(fd);
    // A lock that could not be taken (no memory for it) leaves the open
    // unguarded, as a file system without locks does.
    return naegtet ? ERROR_SHARING_VIOLATION : ERROR_SUCCESS;
  }
  *ud = std::make_unique<Deling>(fd);
  return ERROR_SUCCESS;
}

DelingsPort::DelingsPort(dev_t dev, ino_t ino) : fd_(AabnTabel()) {
  if (fd_ >= 0 && !Laas(fd_, F_WRLCK, Slot(dev, ino) + kPort, true)) {
    ::close(fd_);
    fd_ = -1;
  }
}

DelingsPort::DelingsPort(dev_t dev, ino_t ino, dev_t dev2, ino_t ino2) : fd_(AabnTabel()) {
  if (fd_ < 0) return;
  off_t a = Slot(dev, ino), b = Slot(dev2, ino2);
  if (b < a) std::swap(a, b);
  if (!Laas(fd_, F_WRLCK, a + kPort, true) || (b != a && !Laas(fd_, F_WRLCK, b + kPort, true))) {
    ::close(fd_);
    fd_ = -1;
  }
}

DelingsPort::~DelingsPort() {
  if (fd_ >= 0) ::close(fd_);
}

bool DelingsPort::SletningNaegtes(dev_t dev, ino_t ino) const {
  return fd_ >= 0 && Optaget(fd_, Slot(dev, ino) + kNaegter + 2);
}

bool DelingsPort::Aaben(dev_t dev, ino_t ino) const {
  if (fd_ < 0) return false;
  const off_t slot = Slot(dev, ino);
  for (off_t i = 0; i < 3; ++i)
    if (Optaget(fd_, slot + kAdgang + i)) return true;
  return false;
}

}  // namespace tavo
