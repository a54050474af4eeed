// The Windows back end: the project's names of the platform surface mapped
// one to one onto the system's. The device-setup entry points are not bound
// here; the transport loads setupapi.dll and looks them up at run time.
//
// This file sees both <windows.h> and platform/win32_api.h. The system's
// constants are macros that would rewrite the project's declarations, so
// their values are taken first, the macros are removed, and only then is
// the project's header read and checked against what was taken.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#define WIN32_NO_STATUS // ntstatus.h below gives the full set
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <setupapi.h>
#include <winternl.h> // NTSTATUS
extern "C" {
#include <hidsdi.h> // HidD_FlushQueue; older MinGW headers lack C linkage
}

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/call_listener.h"

namespace system_value {
#define KVR27_TAKE(name) constexpr auto name##_ = name;
KVR27_TAKE(FALSE)
KVR27_TAKE(TRUE)
KVR27_TAKE(ERROR_SUCCESS)
KVR27_TAKE(ERROR_FILE_NOT_FOUND)
KVR27_TAKE(ERROR_ACCESS_DENIED)
KVR27_TAKE(ERROR_INVALID_HANDLE)
KVR27_TAKE(ERROR_NOT_ENOUGH_MEMORY)
KVR27_TAKE(ERROR_GEN_FAILURE)
KVR27_TAKE(ERROR_SHARING_VIOLATION)
KVR27_TAKE(ERROR_INVALID_PARAMETER)
KVR27_TAKE(ERROR_INSUFFICIENT_BUFFER)
KVR27_TAKE(ERROR_NO_MORE_ITEMS)
KVR27_TAKE(ERROR_OPERATION_ABORTED)
KVR27_TAKE(ERROR_IO_INCOMPLETE)
KVR27_TAKE(ERROR_IO_PENDING)
KVR27_TAKE(ERROR_DEVICE_NOT_CONNECTED)
KVR27_TAKE(STATUS_SUCCESS)
KVR27_TAKE(STATUS_PENDING)
KVR27_TAKE(STATUS_CANCELLED)
KVR27_TAKE(STATUS_DEVICE_NOT_CONNECTED)
KVR27_TAKE(GENERIC_READ)
KVR27_TAKE(GENERIC_WRITE)
KVR27_TAKE(FILE_SHARE_READ)
KVR27_TAKE(FILE_SHARE_WRITE)
KVR27_TAKE(OPEN_EXISTING)
KVR27_TAKE(FILE_FLAG_OVERLAPPED)
KVR27_TAKE(DIGCF_PRESENT)
KVR27_TAKE(DIGCF_DEVICEINTERFACE)
KVR27_TAKE(SPDRP_HARDWAREID)
KVR27_TAKE(REG_MULTI_SZ)
#undef KVR27_TAKE
} // namespace system_value

#undef FALSE
#undef TRUE
#undef INVALID_HANDLE_VALUE
#undef ERROR_SUCCESS
#undef ERROR_FILE_NOT_FOUND
#undef ERROR_ACCESS_DENIED
#undef ERROR_INVALID_HANDLE
#undef ERROR_NOT_ENOUGH_MEMORY
#undef ERROR_GEN_FAILURE
#undef ERROR_SHARING_VIOLATION
#undef ERROR_INVALID_PARAMETER
#undef ERROR_INSUFFICIENT_BUFFER
#undef ERROR_NO_MORE_ITEMS
#undef ERROR_OPERATION_ABORTED
#undef ERROR_IO_INCOMPLETE
#undef ERROR_IO_PENDING
#undef ERROR_DEVICE_NOT_CONNECTED
#undef STATUS_SUCCESS
#undef STATUS_PENDING
#undef STATUS_CANCELLED
#undef STATUS_DEVICE_NOT_CONNECTED
#undef GENERIC_READ
#undef GENERIC_WRITE
#undef FILE_SHARE_READ
#undef FILE_SHARE_WRITE
#undef OPEN_EXISTING
#undef FILE_FLAG_OVERLAPPED
#undef DIGCF_PRESENT
#undef DIGCF_DEVICEINTERFACE
#undef SPDRP_HARDWAREID
#undef REG_MULTI_SZ

#include "platform/win32_api.h"

// --- the project's types are the system's, byte for byte ----------------

#define KVR27_SAME_SIZE(name) static_assert(sizeof(win32::name) == sizeof(::name), #name " differs in size");
KVR27_SAME_SIZE(BOOL)
KVR27_SAME_SIZE(BYTE)
KVR27_SAME_SIZE(DWORD)
KVR27_SAME_SIZE(ULONG_PTR)
KVR27_SAME_SIZE(HANDLE)
KVR27_SAME_SIZE(HMODULE)
KVR27_SAME_SIZE(HWND)
KVR27_SAME_SIZE(HDEVINFO)
KVR27_SAME_SIZE(FARPROC)
KVR27_SAME_SIZE(GUID)
KVR27_SAME_SIZE(OVERLAPPED)
KVR27_SAME_SIZE(SP_DEVICE_INTERFACE_DATA)
KVR27_SAME_SIZE(SP_DEVINFO_DATA)
KVR27_SAME_SIZE(SP_DEVICE_INTERFACE_DETAIL_DATA_A)
#undef KVR27_SAME_SIZE

static_assert(std::is_signed_v<win32::BOOL> == std::is_signed_v<::BOOL>);
static_assert(std::is_signed_v<win32::DWORD> == std::is_signed_v<::DWORD>);
static_assert(std::is_signed_v<win32::ULONG_PTR> == std::is_signed_v<::ULONG_PTR>);

#define KVR27_SAME_FIELD(record, field)                                                                                \
    static_assert(offsetof(win32::record, field) == offsetof(::record, field), #record "::" #field " is elsewhere");   \
    static_assert(sizeof(win32::record::field) == sizeof(::record::field), #record "::" #field " differs in size");
KVR27_SAME_FIELD(GUID, Data1)
KVR27_SAME_FIELD(GUID, Data2)
KVR27_SAME_FIELD(GUID, Data3)
KVR27_SAME_FIELD(GUID, Data4)
KVR27_SAME_FIELD(OVERLAPPED, Internal)
KVR27_SAME_FIELD(OVERLAPPED, InternalHigh)
KVR27_SAME_FIELD(OVERLAPPED, Offset)
KVR27_SAME_FIELD(OVERLAPPED, OffsetHigh)
KVR27_SAME_FIELD(OVERLAPPED, hEvent)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DATA, cbSize)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DATA, InterfaceClassGuid)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DATA, Flags)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DATA, Reserved)
KVR27_SAME_FIELD(SP_DEVINFO_DATA, cbSize)
KVR27_SAME_FIELD(SP_DEVINFO_DATA, ClassGuid)
KVR27_SAME_FIELD(SP_DEVINFO_DATA, DevInst)
KVR27_SAME_FIELD(SP_DEVINFO_DATA, Reserved)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DETAIL_DATA_A, cbSize)
KVR27_SAME_FIELD(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath)
#undef KVR27_SAME_FIELD

// NTSTATUS values are signed 32-bit; the status word of an OVERLAPPED
// record carries them in its low 32 bits.
template <typename Value> constexpr std::uint32_t low_word(Value value)
{
    return static_cast<std::uint32_t>(value);
}

#define KVR27_SAME_VALUE(name)                                                                                         \
    static_assert(low_word(win32::name) == low_word(system_value::name##_), #name " differs");
KVR27_SAME_VALUE(FALSE)
KVR27_SAME_VALUE(TRUE)
KVR27_SAME_VALUE(ERROR_SUCCESS)
KVR27_SAME_VALUE(ERROR_FILE_NOT_FOUND)
KVR27_SAME_VALUE(ERROR_ACCESS_DENIED)
KVR27_SAME_VALUE(ERROR_INVALID_HANDLE)
KVR27_SAME_VALUE(ERROR_NOT_ENOUGH_MEMORY)
KVR27_SAME_VALUE(ERROR_GEN_FAILURE)
KVR27_SAME_VALUE(ERROR_SHARING_VIOLATION)
KVR27_SAME_VALUE(ERROR_INVALID_PARAMETER)
KVR27_SAME_VALUE(ERROR_INSUFFICIENT_BUFFER)
KVR27_SAME_VALUE(ERROR_NO_MORE_ITEMS)
KVR27_SAME_VALUE(ERROR_OPERATION_ABORTED)
KVR27_SAME_VALUE(ERROR_IO_INCOMPLETE)
KVR27_SAME_VALUE(ERROR_IO_PENDING)
KVR27_SAME_VALUE(ERROR_DEVICE_NOT_CONNECTED)
KVR27_SAME_VALUE(STATUS_SUCCESS)
KVR27_SAME_VALUE(STATUS_PENDING)
KVR27_SAME_VALUE(STATUS_CANCELLED)
KVR27_SAME_VALUE(STATUS_DEVICE_NOT_CONNECTED)
KVR27_SAME_VALUE(GENERIC_READ)
KVR27_SAME_VALUE(GENERIC_WRITE)
KVR27_SAME_VALUE(FILE_SHARE_READ)
KVR27_SAME_VALUE(FILE_SHARE_WRITE)
KVR27_SAME_VALUE(OPEN_EXISTING)
KVR27_SAME_VALUE(FILE_FLAG_OVERLAPPED)
KVR27_SAME_VALUE(DIGCF_PRESENT)
KVR27_SAME_VALUE(DIGCF_DEVICEINTERFACE)
KVR27_SAME_VALUE(SPDRP_HARDWAREID)
KVR27_SAME_VALUE(REG_MULTI_SZ)
#undef KVR27_SAME_VALUE

// The system's INVALID_HANDLE_VALUE is a cast, not a constant expression;
// both are the all-ones handle.
static_assert(sizeof(win32::INVALID_HANDLE_VALUE) == sizeof(LONG_PTR));

// The six device-setup entry points are called through the project's
// pointer types; each must take as many arguments as the system's
// function, each of the same size, and return a result of the same size.
template <typename Function> struct Shape;

template <typename Result, typename... Arguments> struct Shape<Result (*)(Arguments...)> {
    static constexpr std::size_t arity = sizeof...(Arguments);
    template <typename Other> static constexpr bool same_as()
    {
        using Other_shape = Shape<Other>;
        if constexpr (Other_shape::arity != arity) {
            return false;
        } else {
            return sizeof(Result) == Other_shape::result_size &&
                   Other_shape::template sizes_are<sizeof(Arguments)...>();
        }
    }
    static constexpr std::size_t result_size = sizeof(Result);
    template <std::size_t... Sizes> static constexpr bool sizes_are() { return ((sizeof(Arguments) == Sizes) && ...); }
};

#define KVR27_SAME_ENTRY(name)                                                                                         \
    static_assert(Shape<win32::name##_fn>::same_as<decltype(&::name)>(), #name " is called with another shape");
KVR27_SAME_ENTRY(SetupDiGetClassDevsA)
KVR27_SAME_ENTRY(SetupDiEnumDeviceInterfaces)
KVR27_SAME_ENTRY(SetupDiDestroyDeviceInfoList)
KVR27_SAME_ENTRY(SetupDiEnumDeviceInfo)
KVR27_SAME_ENTRY(SetupDiGetDeviceRegistryPropertyA)
KVR27_SAME_ENTRY(SetupDiGetDeviceInterfaceDetailA)
#undef KVR27_SAME_ENTRY

namespace win32 {

namespace {

::LPSECURITY_ATTRIBUTES to_system(SECURITY_ATTRIBUTES* security)
{
    return reinterpret_cast<::LPSECURITY_ATTRIBUTES>(security);
}

::LPOVERLAPPED to_system(OVERLAPPED* overlapped)
{
    return reinterpret_cast<::LPOVERLAPPED>(overlapped);
}

::LPDWORD to_system(DWORD* count)
{
    return reinterpret_cast<::LPDWORD>(count);
}

} // namespace

HMODULE LoadLibraryA(LPCSTR file_name)
{
    return ::LoadLibraryA(file_name);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    // Any function pointer type holds the address; the caller casts it to
    // the entry point's own type before calling.
    return reinterpret_cast<FARPROC>(::GetProcAddress(static_cast<::HMODULE>(module), name));
}

BOOL FreeLibrary(HMODULE module)
{
    return ::FreeLibrary(static_cast<::HMODULE>(module));
}

HANDLE CreateFileA(LPCSTR file_name, DWORD access, DWORD share_mode, SECURITY_ATTRIBUTES* security, DWORD creation,
                   DWORD flags, HANDLE template_file)
{
    return ::CreateFileA(file_name, access, share_mode, to_system(security), creation, flags, template_file);
}

DWORD GetLastError()
{
    return ::GetLastError();
}

HANDLE CreateEventA(SECURITY_ATTRIBUTES* security, BOOL manual_reset, BOOL initial_state, LPCSTR name)
{
    return ::CreateEventA(to_system(security), manual_reset, initial_state, name);
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes_to_write, DWORD* bytes_written, OVERLAPPED* overlapped)
{
    return ::WriteFile(file, buffer, bytes_to_write, to_system(bytes_written), to_system(overlapped));
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes_to_read, DWORD* bytes_read, OVERLAPPED* overlapped)
{
    return ::ReadFile(file, buffer, bytes_to_read, to_system(bytes_read), to_system(overlapped));
}

BOOL GetOverlappedResult(HANDLE file, OVERLAPPED* overlapped, DWORD* bytes_transferred, BOOL wait)
{
    tell_call(wait ? "GetOverlappedResult wait" : "GetOverlappedResult");
    return ::GetOverlappedResult(file, to_system(overlapped), to_system(bytes_transferred), wait);
}

BOOL CancelIo(HANDLE file)
{
    tell_call("CancelIo");
    return ::CancelIo(file);
}

// hid.dll is linked rather than loaded at run time: it ships with the HID
// class driver in every Windows the tool runs on, so there is no system
// where it is missing and a dongle could still be opened.
BOOL HidD_FlushQueue(HANDLE hid_device_object)
{
    tell_call("HidD_FlushQueue");
    return ::HidD_FlushQueue(hid_device_object) ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE object)
{
    return ::CloseHandle(object);
}

void Sleep(DWORD milliseconds)
{
    tell_sleep(milliseconds);
    ::Sleep(milliseconds);
}

} // namespace win32
