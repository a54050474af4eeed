// Calls on which the emulated device-setup libraries answer each their own
// way: the simulated line as far as the transport reads, the hidraw back
// end as Windows does. Each suite holds its back end's answers to the same
// calls, so a library that took the other's manner, or lost its own, shows.
// A probe finds the library loaded and a list holding one HID interface.
#pragma once

#include "hid/dynamic_dll_load.h"
#include "platform/win32_api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace test_support {

struct Setup_answer {
    bool succeeded = false;
    win32::DWORD error = 0; // GetLastError right after the call
    bool operator==(const Setup_answer&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Setup_answer& answer)
{
    return out << (answer.succeeded ? "success" : "failure") << ", last error " << answer.error;
}

struct Setup_probe {
    const char* name;
    Setup_answer (*run)(Dynamic_DLL_load& dll, win32::HDEVINFO list);
};

// One row of a back end's table: the probe and that back end's answer.
struct Expected_answer {
    const Setup_probe* probe;
    Setup_answer answer;
};

inline void PrintTo(const Expected_answer& expected, std::ostream* out)
{
    *out << expected.probe->name;
}

namespace probe_detail {

inline Setup_answer answer(bool succeeded)
{
    return {succeeded, win32::GetLastError()};
}

inline win32::HDEVINFO no_list()
{
    return reinterpret_cast<win32::HDEVINFO>(std::uintptr_t{0x77});
}

struct Detail_block {
    alignas(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A) unsigned char bytes[512] = {};
    win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail()
    {
        auto* block = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(bytes);
        block->cbSize = sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        return block;
    }
};

inline Setup_answer property(Dynamic_DLL_load& dll, win32::HDEVINFO list, win32::DWORD record_size)
{
    win32::SP_DEVINFO_DATA devinfo{};
    devinfo.cbSize = record_size;
    win32::BYTE ids[512];
    return answer(
        dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, nullptr, ids, sizeof ids, nullptr));
}

inline Setup_answer detail(Dynamic_DLL_load& dll, win32::HDEVINFO list, win32::DWORD record_size)
{
    win32::SP_DEVICE_INTERFACE_DATA interface_data{};
    interface_data.cbSize = record_size;
    Detail_block block;
    return answer(
        dll.get_device_interface_detail(list, &interface_data, block.detail(), sizeof block.bytes, nullptr, nullptr));
}

inline Setup_answer load(const char* name)
{
    const win32::HMODULE module = win32::LoadLibraryA(name);
    const Setup_answer loaded = answer(module != nullptr);
    if (module != nullptr)
        win32::FreeLibrary(module);
    return loaded;
}

} // namespace probe_detail

inline const Setup_probe property_of_no_list = {
    "PropertyOfAHandleThatIsNoList", [](Dynamic_DLL_load& dll, win32::HDEVINFO) {
        return probe_detail::property(dll, probe_detail::no_list(), sizeof(win32::SP_DEVINFO_DATA));
    }};

inline const Setup_probe detail_of_no_list = {
    "DetailOfAHandleThatIsNoList", [](Dynamic_DLL_load& dll, win32::HDEVINFO) {
        return probe_detail::detail(dll, probe_detail::no_list(), sizeof(win32::SP_DEVICE_INTERFACE_DATA));
    }};

inline const Setup_probe property_through_unsized_record = {
    "PropertyThroughAnUnsizedRecord",
    [](Dynamic_DLL_load& dll, win32::HDEVINFO list) { return probe_detail::property(dll, list, 0); }};

inline const Setup_probe detail_through_unsized_record = {
    "DetailThroughAnUnsizedRecord",
    [](Dynamic_DLL_load& dll, win32::HDEVINFO list) { return probe_detail::detail(dll, list, 0); }};

inline const Setup_probe enumeration_of_another_class = {
    "EnumerationOfAnotherInterfaceClass", [](Dynamic_DLL_load& dll, win32::HDEVINFO list) {
        const win32::GUID other_class = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
        win32::SP_DEVICE_INTERFACE_DATA interface_data{};
        interface_data.cbSize = sizeof interface_data;
        return probe_detail::answer(dll.enum_device_interfaces(list, nullptr, &other_class, 0, &interface_data));
    }};

// Whether a success clears the error an earlier call left.
inline const Setup_probe destroy_after_a_failure = {"DestroyAfterAFailure",
                                                    [](Dynamic_DLL_load& dll, win32::HDEVINFO list) {
                                                        win32::GetProcAddress(dll.module, "NoSuchEntryPoint");
                                                        return probe_detail::answer(dll.destroy_device_info_list(list));
                                                    }};

inline const Setup_probe library_named_in_capitals = {
    "LibraryNamedInCapitals", [](Dynamic_DLL_load&, win32::HDEVINFO) { return probe_detail::load("SETUPAPI.DLL"); }};

inline const Setup_probe library_of_another_name = {
    "LibraryOfAnotherName", [](Dynamic_DLL_load&, win32::HDEVINFO) { return probe_detail::load("hid.dll"); }};

// Loads the library, takes a list of the HID interfaces present, runs the
// probe on it and releases the list.
inline Setup_answer probe_a_fresh_list(const Setup_probe& probe)
{
    Dynamic_DLL_load dll;
    const win32::HDEVINFO list = dll.get_class_devs(&win32::hid_interface_class, nullptr, nullptr,
                                                    win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE);
    EXPECT_NE(list, win32::INVALID_HANDLE_VALUE) << "no list to probe";
    const Setup_answer answer = probe.run(dll, list);
    dll.destroy_device_info_list(list);
    return answer;
}

} // namespace test_support
