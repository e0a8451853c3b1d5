// The operating-system services of tikvan, by their Win32 names.
//
// Portable code includes this header and nothing else of the system's. It
// calls the Win32 functions and constants by name (GetLocalTime, WriteFile,
// STD_OUTPUT_HANDLE, ...), whichever build it is part of.
//
// * Windows: the declarations come from the SDK headers. USER32 is not
//   imported: the few USER32 calls the program makes are declared here and
//   provided by characters.cpp (CharNextA, CharUpperBuffA, portable over
//   IsDBCSLeadByteEx) and windows/user32.cpp (LoadStringA,
//   CharToOemBuffA), so the executable imports KERNEL32 and msvcrt
//   only.
// * POSIX: the subset of types, constants and calls that the program uses is
//   declared here and implemented in unix/, each call to its Win32 contract
//   for the arguments the program gives and nothing more. It is not a
//   general Win32 layer.
//
// LoadStringA and CharToOemBuffA keep their Win32 contracts on both builds:
// LoadStringA cuts a text after the last whole character that fits in
// size - 1 bytes and ends it with a zero (0 and nothing written when size is
// 0); CharToOemBuffA converts exactly `length` bytes, which may be in place,
// and writes no zero.
#pragma once

#ifdef _WIN32

#include <windef.h>
#include <winbase.h>
#include <winnls.h>

LPSTR WINAPI CharNextA(LPCSTR text);
DWORD WINAPI CharUpperBuffA(LPSTR text, DWORD length);
// The SDK's libloaderapi.h declares LoadStringA as imported from USER32.
// Declared again without the import, calls bind to windows/user32.cpp.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
// NOLINTNEXTLINE(clang-diagnostic-inconsistent-dllimport,readability-redundant-declaration)
int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
#pragma GCC diagnostic pop
BOOL WINAPI CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length);

#else

#include <cstddef>
#include <cstdint>

#define WINAPI

using BYTE = unsigned char;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using LPSTR = char*;
using LPCSTR = const char*;
using LPCVOID = const void*;
using LPDWORD = DWORD*;
using HANDLE = void*;
using HMODULE = void*;
using HINSTANCE = void*;
using LCID = DWORD;
using LCTYPE = DWORD;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

// A standard handle is its descriptor number.
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define STD_OUTPUT_HANDLE (static_cast<DWORD>(-11))
#define STD_ERROR_HANDLE (static_cast<DWORD>(-12))

#define FILE_TYPE_UNKNOWN 0x0000
#define FILE_TYPE_DISK 0x0001
#define FILE_TYPE_CHAR 0x0002
#define FILE_TYPE_PIPE 0x0003

// A locale id is a language id and a sort id; a language id, a primary
// language and a sublanguage.
using LANGID = WORD;
#define MAKELANGID(primary, sub) (static_cast<LANGID>((sub) << 10 | (primary)))
#define PRIMARYLANGID(language) (static_cast<LANGID>(language) & 0x3FF)
#define MAKELCID(language, sort) (static_cast<LCID>((sort) << 16 | static_cast<LANGID>(language)))
#define LANGIDFROMLCID(locale) (static_cast<LANGID>(locale))
#define SORT_DEFAULT 0x0
#define LANG_NEUTRAL 0x00
#define LANG_DANISH 0x06
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define LANG_SPANISH 0x0A
#define LANG_FINNISH 0x0B
#define LANG_FRENCH 0x0C
#define LANG_ITALIAN 0x10
#define LANG_DUTCH 0x13
#define LANG_NORWEGIAN 0x14
#define LANG_PORTUGUESE 0x16
#define LANG_SWEDISH 0x1D
#define SUBLANG_ENGLISH_US 0x01
// The locale of a name without a numeric id, as GetThreadLocale reports it;
// its queries answer from the data of the name in force.
#define LOCALE_CUSTOM_DEFAULT MAKELCID(MAKELANGID(LANG_NEUTRAL, 0x03), SORT_DEFAULT)

#define LOCALE_SDATE 0x001D
#define LOCALE_STIME 0x001E
#define LOCALE_IDEFAULTANSICODEPAGE 0x1004
#define CP_ACP 0
#define CP_UTF8 65001
#define MAX_LEADBYTES 12

#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_WRITE_FAULT 29L
#define ERROR_GEN_FAILURE 31L
#define ERROR_DISK_FULL 112L
#define ERROR_PIPE_NOT_CONNECTED 233L

// Of the Win32 structures, the members that the program reads or writes.
struct CPINFO {
    BYTE LeadByte[MAX_LEADBYTES];
};
using LPCPINFO = CPINFO*;

#define EXCEPTION_ACCESS_VIOLATION 0xC0000005
#define EXCEPTION_ARRAY_BOUNDS_EXCEEDED 0xC000008C
#define EXCEPTION_FLT_DENORMAL_OPERAND 0xC000008D
#define EXCEPTION_FLT_DIVIDE_BY_ZERO 0xC000008E
#define EXCEPTION_FLT_INEXACT_RESULT 0xC000008F
#define EXCEPTION_FLT_INVALID_OPERATION 0xC0000090
#define EXCEPTION_FLT_OVERFLOW 0xC0000091
#define EXCEPTION_FLT_STACK_CHECK 0xC0000092
#define EXCEPTION_FLT_UNDERFLOW 0xC0000093
#define EXCEPTION_INT_DIVIDE_BY_ZERO 0xC0000094
#define EXCEPTION_INT_OVERFLOW 0xC0000095
#define EXCEPTION_PRIV_INSTRUCTION 0xC0000096
#define EXCEPTION_ILLEGAL_INSTRUCTION 0xC000001D
#define EXCEPTION_STACK_OVERFLOW 0xC00000FD
#define CONTROL_C_EXIT 0xC000013A

#define EXCEPTION_MAXIMUM_PARAMETERS 15
using LONG = std::int32_t;
using ULONG_PTR = std::uintptr_t;
struct EXCEPTION_RECORD {
    DWORD ExceptionCode;
    void* ExceptionAddress;
    DWORD NumberParameters;
    ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
};
struct EXCEPTION_POINTERS {
    EXCEPTION_RECORD* ExceptionRecord;
};
using LPTOP_LEVEL_EXCEPTION_FILTER = LONG (*)(EXCEPTION_POINTERS*);

#define MEM_COMMIT 0x1000
using SIZE_T = std::size_t;
struct MEMORY_BASIC_INFORMATION {
    void* AllocationBase;
    DWORD State;
};
using PMEMORY_BASIC_INFORMATION = MEMORY_BASIC_INFORMATION*;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

void GetLocalTime(LPSYSTEMTIME time);

LPSTR GetCommandLineA();
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION information, SIZE_T size);
LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

HANDLE GetStdHandle(DWORD which);
DWORD GetFileType(HANDLE file);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped);
DWORD GetLastError();
[[noreturn]] void ExitProcess(UINT status);

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE byte);
LPSTR CharNextA(LPCSTR text);
DWORD CharUpperBuffA(LPSTR text, DWORD length);

LCID GetThreadLocale();
int GetLocaleInfoA(LCID locale, LCTYPE item, LPSTR buffer, int size);
UINT GetACP();
BOOL GetCPInfo(UINT codePage, LPCPINFO info);
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
BOOL CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length);

#endif
