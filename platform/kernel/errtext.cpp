// The system's error texts, in Danish.
#include <cstdlib>
#include <cstring>
#include <string>

#include "win/kernel.h"

namespace {

struct ErrorText {
  DWORD id;
  const char *text;
};

const ErrorText kTexts[] = {
    {ERROR_SUCCESS, "Handlingen er udført."},
    {ERROR_INVALID_FUNCTION, "Funktionen er ugyldig."},
    {ERROR_FILE_NOT_FOUND, "Den angivne fil blev ikke fundet."},
    {ERROR_PATH_NOT_FOUND, "Den angivne sti blev ikke fundet."},
    {ERROR_TOO_MANY_OPEN_FILES, "Der er for mange åbne filer."},
    {ERROR_ACCESS_DENIED, "Adgang nægtet."},
    {ERROR_INVALID_HANDLE, "Referencen er ugyldig."},
    {ERROR_NOT_ENOUGH_MEMORY, "Der er ikke nok hukommelse til at udføre kommandoen."},
    {ERROR_INVALID_DATA, "Dataene er ugyldige."},
    {ERROR_OUTOFMEMORY, "Der er ikke nok hukommelse til at fuldføre handlingen."},
    {ERROR_INVALID_DRIVE, "Det angivne drev blev ikke fundet."},
    {ERROR_CURRENT_DIRECTORY, "Mappen kan ikke fjernes."},
    {ERROR_NOT_SAME_DEVICE, "Filen kan ikke flyttes til et andet drev."},
    {ERROR_NO_MORE_FILES, "Der er ikke flere filer."},
    {ERROR_WRITE_PROTECT, "Mediet er skrivebeskyttet."},
    {ERROR_NOT_READY, "Enheden er ikke klar."},
    {ERROR_BAD_LENGTH, "Kommandoens længde er forkert."},
    {ERROR_SEEK, "Det ønskede område på disken blev ikke fundet."},
    {ERROR_GEN_FAILURE, "En enhed, der er tilsluttet systemet, fungerer ikke."},
    {ERROR_SHARING_VIOLATION,
     "Processen kan ikke få adgang til filen, fordi den bruges af en anden proces."},
    {ERROR_LOCK_VIOLATION,
     "Processen kan ikke få adgang til filen, fordi en anden proces har låst en del af den."},
    {ERROR_HANDLE_EOF, "Slutningen af filen er nået."},
    {ERROR_HANDLE_DISK_FULL, "Disken er fuld."},
    {ERROR_NOT_SUPPORTED, "Anmodningen understøttes ikke."},
    {ERROR_BAD_NETPATH, "Netværksstien blev ikke fundet."},
    {ERROR_FILE_EXISTS, "Filen findes allerede."},
    {ERROR_CANNOT_MAKE, "Mappen eller filen kan ikke oprettes."},
    {ERROR_INVALID_PARAMETER, "Parameteren er forkert."},
    {ERROR_BROKEN_PIPE, "Forbindelsen er afbrudt."},
    {ERROR_BUFFER_OVERFLOW, "Filnavnet er for langt."},
    {ERROR_DISK_FULL, "Der er ikke plads nok på disken."},
    {ERROR_CALL_NOT_IMPLEMENTED, "Funktionen findes ikke på dette system."},
    {ERROR_INSUFFICIENT_BUFFER, "Dataområdet til et systemkald er for lille."},
    {ERROR_INVALID_NAME, "Syntaksen for filnavnet, mappenavnet eller drevnavnet er forkert."},
    {ERROR_MOD_NOT_FOUND, "Det angivne modul blev ikke fundet."},
    {ERROR_PROC_NOT_FOUND, "Den angivne procedure blev ikke fundet."},
    {ERROR_NEGATIVE_SEEK, "Filmarkøren kan ikke flyttes til før filens start."},
    {ERROR_DIR_NOT_EMPTY, "Mappen er ikke tom."},
    {ERROR_LABEL_TOO_LONG, "Drevnavnet er for langt."},
    {ERROR_BAD_PATHNAME, "Den angivne sti er ugyldig."},
    {ERROR_ALREADY_EXISTS, "En fil, der allerede findes, kan ikke oprettes."},
    {ERROR_FILENAME_EXCED_RANGE, "Filnavnet eller filtypenavnet er for langt."},
    {ERROR_MORE_DATA, "Der er flere data."},
    {ERROR_NO_MORE_ITEMS, "Der er ikke flere data."},
    {ERROR_DIRECTORY, "Mappenavnet er ugyldigt."},
    {ERROR_NOT_OWNER, "Kalderen ejer ikke den mutex, der skulle frigives."},
    {ERROR_MR_MID_NOT_FOUND, "Meddelelsesnummeret blev ikke fundet."},
    {ERROR_NOT_FOUND, "Elementet blev ikke fundet."},
    {ERROR_BAD_DEVICE, "Enhedsnavnet er ugyldigt."},
    {ERROR_INVALID_WINDOW_HANDLE, "Vinduesreferencen er ugyldig."},
    {ERROR_CLASS_ALREADY_EXISTS, "Vinduesklassen findes allerede."},
    {ERROR_CLASS_DOES_NOT_EXIST, "Vinduesklassen findes ikke."},
    {ERROR_CLASS_HAS_WINDOWS, "Vinduesklassen har stadig åbne vinduer."},
    {ERROR_TIMEOUT, "Tidsfristen for handlingen udløb."},
    {ERROR_OPERATION_ABORTED, "Handlingen blev afbrudt."},
    {ERROR_NOT_CONNECTED, "Netværksforbindelsen findes ikke."},
    {WSAEINTR, "En blokerende handling blev afbrudt."},
    {WSAEBADF, "Filreferencen er ugyldig."},
    {WSAEACCES, "Adgang til socket blev nægtet."},
    {WSAEFAULT, "En adresse i kaldet er ugyldig."},
    {WSAEINVAL, "Et ugyldigt argument blev angivet."},
    {WSAEMFILE, "Der er for mange åbne sockets."},
    {WSAEWOULDBLOCK, "Handlingen kunne ikke fuldføres med det samme."},
    {WSAEALREADY, "Handlingen er allerede i gang."},
    {WSAENOTSOCK, "Handlingen blev forsøgt på noget, der ikke er en socket."},
    {WSAEMSGSIZE, "Meddelelsen er for lang."},
    {WSAENOPROTOOPT, "Indstillingen eller niveauet er ukendt, ugyldigt eller understøttes ikke."},
    {WSAEPROTONOSUPPORT, "Protokollen understøttes ikke."},
    {WSAESOCKTNOSUPPORT, "Socket-typen understøttes ikke."},
    {WSAEOPNOTSUPP, "Handlingen understøttes ikke for denne socket."},
    {WSAEAFNOSUPPORT, "Adressefamilien understøttes ikke af protokollen."},
    {WSAEADDRINUSE, "Adressen er allerede i brug."},
    {WSAEADDRNOTAVAIL, "Den ønskede adresse er ikke gyldig i denne sammenhæng."},
    {WSAENETDOWN, "Netværket er nede."},
    {WSAENETUNREACH, "Netværket kan ikke nås."},
    {WSAENETRESET, "Forbindelsen blev afbrudt, fordi netværket svigtede."},
    {WSAECONNABORTED, "Forbindelsen blev afbrudt af programmellet på denne computer."},
    {WSAECONNRESET, "Forbindelsen blev afbrudt af den anden part."},
    {WSAENOBUFS, "Der er ikke buffer- eller køplads nok til handlingen."},
    {WSAEISCONN, "Socket er allerede forbundet."},
    {WSAENOTCONN, "Socket er ikke forbundet."},
    {WSAESHUTDOWN, "Socket er allerede lukket i denne retning."},
    {WSAETIMEDOUT, "Den anden part svarede ikke inden for tidsfristen."},
    {WSAECONNREFUSED, "Forbindelsen blev nægtet af den anden computer."},
    {WSAENAMETOOLONG, "Navnet er for langt."},
    {WSAEHOSTDOWN, "Værten er nede."},
    {WSAEHOSTUNREACH, "Værten kan ikke nås."},
    {WSAVERNOTSUPPORTED, "Den ønskede version af Windows Sockets understøttes ikke."},
    {WSANOTINITIALISED, "Windows Sockets er ikke startet (WSAStartup)."},
    {WSASYSCALLFAILURE, "Et systemkald mislykkedes."},
    {WSAHOST_NOT_FOUND, "Værten er ukendt."},
    {WSATRY_AGAIN, "Navneserveren svarede ikke. Prøv igen senere."},
    {WSANO_RECOVERY, "Navneopslaget fejlede, og det kan ikke gentages."},
    {WSANO_DATA, "Navnet findes, men har ingen adresse af den ønskede type."},
};

const char *Lookup(DWORD id) {
  for (const ErrorText &e : kTexts)
    if (e.id == id) return e.text;
  return nullptr;
}

}  // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, va_list *args) {
  std::string text;
  if (flags & FORMAT_MESSAGE_FROM_STRING) {
    if (!source || !(flags & FORMAT_MESSAGE_IGNORE_INSERTS)) {
      // Inserts from a va_list cannot be taken safely here.
      SetLastError(source ? ERROR_NOT_SUPPORTED : ERROR_INVALID_PARAMETER);
      return 0;
    }
    text = static_cast<const char *>(source);
  } else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
    const char *t = Lookup(messageId);
    if (!t) {
      SetLastError(ERROR_MR_MID_NOT_FOUND);
      return 0;
    }
    text = t;
    if ((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) != FORMAT_MESSAGE_MAX_WIDTH_MASK) text += "\r\n";
  } else {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }

  if (!buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    // Freed by the caller with LocalFree (the C heap).
    char *block = static_cast<char *>(malloc(text.size() + 1 > size ? text.size() + 1 : size));
    if (!block) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    memcpy(block, text.c_str(), text.size() + 1);
    *reinterpret_cast<char **>(buffer) = block;
    return (DWORD)text.size();
  }
  if (size <= text.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(buffer, text.c_str(), text.size() + 1);
  return (DWORD)text.size();
}
