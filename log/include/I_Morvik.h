/*
 * I_Morvik.h - the client's header of the Morvik debug-log library.
 *
 * A client obtains a log object with GetInterface, calls its eleven
 * operations through I_Morvik and releases it with FreeInterface. The header
 * compiles with MSVC, g++ and clang, as C++11 or later, and declares nothing
 * but the interface, its text type, the two exports and their status values.
 */
#ifndef I_MORVIK_H
#define I_MORVIK_H

#include <stdint.h>

#if defined(_WIN32)
/* Texts are UTF-16: wchar_t on Windows, as the Win32 API uses it. */
typedef wchar_t MorvikChar;
/* COM-style calling convention: __stdcall on 32-bit Windows, ignored on x64. */
#define MORVIK_CALL __stdcall
#if defined(MORVIK_BUILDING_LIBRARY)
#define MORVIK_API __declspec(dllexport)
#else
#define MORVIK_API __declspec(dllimport)
#endif
#else
/* Texts are UTF-16: char16_t elsewhere (wchar_t is 32 bits wide there). */
typedef char16_t MorvikChar;
#define MORVIK_CALL
#if defined(MORVIK_BUILDING_LIBRARY)
#define MORVIK_API __attribute__((visibility("default")))
#else
#define MORVIK_API
#endif
#endif

/* Status results of the two exports. */
typedef int32_t MorvikStatus;
static const MorvikStatus MORVIK_S_OK = 0;
static const MorvikStatus MORVIK_E_FAIL = (MorvikStatus)0x80004005u;        /* misuse */
static const MorvikStatus MORVIK_E_OUTOFMEMORY = (MorvikStatus)0x8007000Eu; /* no log */

/*
 * The log interface. Operations are called by position, so their order is
 * fixed; there is no destructor slot: a log is released with FreeInterface.
 * Every text argument is a null-terminated UTF-16 string owned by the caller;
 * the library copies what it keeps before the call returns.
 */
class I_Morvik {
public:
  /* Slot 0: drops every queued item. */
  virtual void MORVIK_CALL Clear() = 0;
  /* Slot 1: the number of queued items. */
  virtual int32_t MORVIK_CALL GetCount() = 0;
  /* Slots 2 to 6: append one item of the kind the name gives. */
  virtual void MORVIK_CALL Message(const MorvikChar* text) = 0;
  virtual void MORVIK_CALL Comment(const MorvikChar* text) = 0;
  virtual void MORVIK_CALL Event(const MorvikChar* text) = 0;
  virtual void MORVIK_CALL Error(const MorvikChar* text) = 0;
  virtual void MORVIK_CALL Warning(const MorvikChar* text) = 0;
  /* Slot 7: moves the records that fit into buffer (UTF-16LE, no terminator)
     and returns the number of bytes written; the rest stays queued. */
  virtual uint32_t MORVIK_CALL GetLogData(void* buffer, uint32_t capacity) = 0;
  /* Slot 8: drains the log into the file, XOR-scrambled when asked. */
  virtual bool MORVIK_CALL ExportToFile(const MorvikChar* fileName, bool scramble) = 0;
  /* Slot 9: asks the user for a comment and logs it. */
  virtual void MORVIK_CALL AddUserComment() = 0;
  /* Slot 10: asks the user for a file name and exports the log there. */
  virtual bool MORVIK_CALL SaveLogAs(bool scramble) = 0;
};

#ifdef __cplusplus
extern "C" {
#endif
/* Creates a log into *slot, which must hold null. MORVIK_S_OK on success,
   MORVIK_E_FAIL when *slot is not null, MORVIK_E_OUTOFMEMORY (with *slot
   null) when no log could be made. */
MORVIK_API MorvikStatus MORVIK_CALL GetInterface(I_Morvik** slot);
/* Destroys the log in *slot with its items and sets *slot to null;
   MORVIK_E_FAIL when *slot is null. */
MORVIK_API MorvikStatus MORVIK_CALL FreeInterface(I_Morvik** slot);
#ifdef __cplusplus
}
#endif

/* Types of the two exports, for clients that look them up by name. */
typedef MorvikStatus(MORVIK_CALL* MorvikGetInterfaceFn)(I_Morvik** slot);
typedef MorvikStatus(MORVIK_CALL* MorvikFreeInterfaceFn)(I_Morvik** slot);

#endif /* I_MORVIK_H */
