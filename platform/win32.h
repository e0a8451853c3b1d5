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
//   declared here and implemented in unix/, each call to the contract the
//   program relies on and nothing more. It is not a general Win32 layer.
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
// The text, which ends at its terminating zero, in the OEM code page: the
// converted text and its zero in the `length` bytes at `converted`, which
// may be `text` itself, cut after the last whole character that fits.
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
// The previous filter is not given back: the program never asks for it.
void SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);
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

// The bytes in which the program's LoadStringA converts a text of the string
// table whole, before it cuts the text to the caller's size.
inline constexpr int kLoadStringRoom = 4096;
