#pragma once
// Shell links (desktop shortcuts) through the COM calls the programs use:
// CoCreateInstance of CLSID_ShellLink gives an object with IShellLinkA and
// IPersistFile. Linux desktops have no .lnk files, so a link is a file of
// our own: text lines "Tavo-genvej 1", then "Sti=", "Argumenter=",
// "Mappe=", "Ikon=" and "Ikonindeks=" with Windows-1252 values. Only the
// methods the programs call exist; the interfaces are ours, not the
// system's vtable layout.

#include "win/kernel.h"
#include "win/shellapi.h"

struct TAVO_GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
typedef TAVO_GUID GUID, IID, CLSID;
typedef const GUID &REFIID;
typedef const GUID &REFCLSID;
typedef const WCHAR *LPCOLESTR;

extern const CLSID CLSID_ShellLink;
extern const IID IID_IUnknown;
extern const IID IID_IShellLinkA;
extern const IID IID_IPersistFile;

#ifndef E_NOINTERFACE
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#endif
#define STG_E_FILENOTFOUND ((HRESULT)0x80030002L)
#define STG_E_WRITEFAULT ((HRESULT)0x8003001DL)

#define CLSCTX_INPROC_SERVER 0x1
#define STGM_READ 0x00000000L
#define SLGP_SHORTPATH 0x1
#define SLGP_UNCPRIORITY 0x2
#define SLGP_RAWPATH 0x4

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void **ud) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};
typedef IUnknown *LPUNKNOWN;

// The texts are copied into the caller's buffer, cut to fit; an empty
// value gives "".
struct IShellLinkA : IUnknown {
  virtual HRESULT GetPath(LPSTR fil, int stoerrelse, WIN32_FIND_DATAA *fd, DWORD flag) = 0;
  virtual HRESULT SetPath(LPCSTR fil) = 0;
  virtual HRESULT GetArguments(LPSTR argumenter, int stoerrelse) = 0;
  virtual HRESULT SetArguments(LPCSTR argumenter) = 0;
  virtual HRESULT GetWorkingDirectory(LPSTR mappe, int stoerrelse) = 0;
  virtual HRESULT SetWorkingDirectory(LPCSTR mappe) = 0;
  virtual HRESULT GetIconLocation(LPSTR ikonFil, int stoerrelse, int *indeks) = 0;
  virtual HRESULT SetIconLocation(LPCSTR ikonFil, int indeks) = 0;

 protected:
  ~IShellLinkA() = default;
};
typedef IShellLinkA IShellLink;
#define IID_IShellLink IID_IShellLinkA

// Load reads a link file whole (STG_E_FILENOTFOUND when it is missing,
// E_FAIL when it is not a link); Save with a null name writes back to the
// file loaded, through a file beside it renamed over it.
struct IPersistFile : IUnknown {
  virtual HRESULT Load(LPCOLESTR fil, DWORD mode) = 0;
  virtual HRESULT Save(LPCOLESTR fil, BOOL husk) = 0;

 protected:
  ~IPersistFile() = default;
};

HRESULT CoCreateInstance(REFCLSID klasse, LPUNKNOWN ydre, DWORD kontekst, REFIID iid, LPVOID *ud);
