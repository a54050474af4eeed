// The few Windows services the USB transport calls, under their Windows
// names, in the project's own namespace.
//
// The core (log, hid, protocol) is compiled once against this header and
// linked with exactly one back end:
//   platform/windows  the real kernel32, hid.dll and setupapi.dll (Windows
//                     only),
//   platform/linux    hidraw and sysfs,
//   platform/sim      the simulated dongle and line (sim/), any system.
// The last two emulate the handle table, the last error and the
// device-setup library alike, in platform/emulated.
//
// Types and constants are laid out as 64-bit Windows lays them out; the
// Windows back end checks that with static_asserts against <windows.h>.
//
// Contract every back end honours:
//   LoadLibraryA       module handle, or null when the library is missing.
//   GetProcAddress     entry point by exact name, or null.
//   CreateFileA        open handle, or INVALID_HANDLE_VALUE with the reason
//                      in GetLastError.
//   WriteFile/ReadFile with an OVERLAPPED record: TRUE when done at once;
//                      FALSE with ERROR_IO_PENDING while the request runs
//                      (its status word stays STATUS_PENDING until the
//                      request ends, and changes only while the caller is in
//                      Sleep or GetOverlappedResult); FALSE with any other
//                      code when refused (the status word of a refused
//                      request means nothing: Windows may leave it at
//                      STATUS_PENDING). A finished request leaves its
//                      NTSTATUS in Internal (0 on success) and the byte count
//                      in InternalHigh. A gone device fails, never hangs.
//   CancelIo           ends the calling thread's pending requests on the
//                      handle; they finish with STATUS_CANCELLED.
//   HidD_FlushQueue    drops the input reports that have arrived on a read
//                      handle and wait there unread; a report that arrives
//                      later is queued as usual. TRUE when done, FALSE with
//                      the reason in GetLastError when the handle or its
//                      driver refuses it (Wine's HID class driver does).
//   GetOverlappedResult with wait TRUE returns once the request has ended.
//   Sleep              waits the given milliseconds (virtual on the
//                      simulated line with the virtual clock).
#pragma once

#include "platform/hid_interface_class.h"

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define KVR27_WINAPI __stdcall
#else
#define KVR27_WINAPI
#endif

namespace win32 {

using BOOL = int;
using BYTE = std::uint8_t;
using DWORD = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using HANDLE = void*;
using HMODULE = void*;
using HWND = void*;
using HDEVINFO = void*;
using PVOID = void*;
using LPCSTR = const char*;
using FARPROC = void (*)();

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

inline constexpr GUID hid_interface_class = KVR27_HID_INTERFACE_CLASS;

struct SECURITY_ATTRIBUTES;

struct OVERLAPPED {
    ULONG_PTR Internal;     // NTSTATUS of the request; STATUS_PENDING while it runs
    ULONG_PTR InternalHigh; // bytes transferred
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};

struct SP_DEVICE_INTERFACE_DATA {
    DWORD cbSize;
    GUID InterfaceClassGuid;
    DWORD Flags;
    ULONG_PTR Reserved;
};

struct SP_DEVINFO_DATA {
    DWORD cbSize;
    GUID ClassGuid;
    DWORD DevInst;
    ULONG_PTR Reserved;
};

struct SP_DEVICE_INTERFACE_DETAIL_DATA_A {
    DWORD cbSize;
    char DevicePath[1];
};

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_OPERATION_ABORTED = 995;
constexpr DWORD ERROR_IO_INCOMPLETE = 996;
constexpr DWORD ERROR_IO_PENDING = 997;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

constexpr ULONG_PTR STATUS_SUCCESS = 0;
constexpr ULONG_PTR STATUS_PENDING = 0x103;
constexpr ULONG_PTR STATUS_CANCELLED = 0xC0000120;
constexpr ULONG_PTR STATUS_DEVICE_NOT_CONNECTED = 0xC000009D;

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

constexpr DWORD DIGCF_PRESENT = 0x2;
constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
constexpr DWORD SPDRP_HARDWAREID = 1;
constexpr DWORD REG_MULTI_SZ = 7;

// Signatures of the six device-setup entry points, reached only through
// GetProcAddress on "setupapi.dll".
using SetupDiGetClassDevsA_fn = HDEVINFO(KVR27_WINAPI*)(const GUID*, LPCSTR, HWND, DWORD);
using SetupDiEnumDeviceInterfaces_fn = BOOL(KVR27_WINAPI*)(HDEVINFO, SP_DEVINFO_DATA*, const GUID*, DWORD,
                                                           SP_DEVICE_INTERFACE_DATA*);
using SetupDiDestroyDeviceInfoList_fn = BOOL(KVR27_WINAPI*)(HDEVINFO);
using SetupDiEnumDeviceInfo_fn = BOOL(KVR27_WINAPI*)(HDEVINFO, DWORD, SP_DEVINFO_DATA*);
using SetupDiGetDeviceRegistryPropertyA_fn = BOOL(KVR27_WINAPI*)(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD*, BYTE*,
                                                                 DWORD, DWORD*);
using SetupDiGetDeviceInterfaceDetailA_fn = BOOL(KVR27_WINAPI*)(HDEVINFO, SP_DEVICE_INTERFACE_DATA*,
                                                                SP_DEVICE_INTERFACE_DETAIL_DATA_A*, DWORD, DWORD*,
                                                                SP_DEVINFO_DATA*);

HMODULE LoadLibraryA(LPCSTR file_name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD share_mode, SECURITY_ATTRIBUTES* security, DWORD creation,
                   DWORD flags, HANDLE template_file);
DWORD GetLastError();
HANDLE CreateEventA(SECURITY_ATTRIBUTES* security, BOOL manual_reset, BOOL initial_state, LPCSTR name);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes_to_write, DWORD* bytes_written, OVERLAPPED* overlapped);
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read, OVERLAPPED* overlapped);
BOOL GetOverlappedResult(HANDLE file, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait);
BOOL CancelIo(HANDLE file);
BOOL HidD_FlushQueue(HANDLE hid_device_object);
BOOL CloseHandle(HANDLE object);
void Sleep(DWORD milliseconds);

} // namespace win32
