// The device-setup loader on the real system: the six entry points are
// found by their names, and a name the library does not export gives 0.
#include "hid/dynamic_dll_load.h"
#include "platform/win32_api.h"
#include "tests/windows/system_side.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using win32::hid_interface_class;
constexpr win32::DWORD present_interfaces = win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE;
constexpr win32::DWORD error_mod_not_found = 126;

const char* const entry_points[] = {
    "SetupDiGetClassDevsA",
    "SetupDiEnumDeviceInterfaces",
    "SetupDiEnumDeviceInfo",
    "SetupDiGetDeviceRegistryPropertyA",
    "SetupDiGetDeviceInterfaceDetailA",
    "SetupDiDestroyDeviceInfoList",
};

TEST(Setupapi_loader, ResolvesEverySixEntryPointsByName)
{
    Dynamic_DLL_load dll;
    ASSERT_FALSE(dll.load_failed);
    ASSERT_NE(dll.module, nullptr);
    for (const char* name : entry_points) {
        const auto entry = reinterpret_cast<void*>(win32::GetProcAddress(dll.module, name));
        EXPECT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry, system_side::setupapi_entry(name)) << name;
    }
}

TEST(Setupapi_loader, ANameTheLibraryDoesNotExportGivesZero)
{
    Dynamic_DLL_load dll;
    ASSERT_FALSE(dll.load_failed);
    // Names are matched exactly: case and the A suffix count.
    for (const char* name : {"SetupDiGetClassDevsX", "setupdigetclassdevsa", "SetupDiGetClassDevs", ""})
        EXPECT_EQ(win32::GetProcAddress(dll.module, name), nullptr) << '"' << name << '"';
}

TEST(Setupapi_loader, TheWrappersReachTheSystemsLibrary)
{
    Dynamic_DLL_load dll;
    const win32::HDEVINFO list = dll.get_class_devs(&hid_interface_class, nullptr, nullptr, present_interfaces);
    EXPECT_FALSE(dll.entry_missing);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list, win32::INVALID_HANDLE_VALUE);

    win32::SP_DEVICE_INTERFACE_DATA interface_data{};
    interface_data.cbSize = sizeof interface_data;
    const win32::DWORD past_the_end = static_cast<win32::DWORD>(system_side::hid_hardware_ids().size());
    EXPECT_EQ(dll.enum_device_interfaces(list, nullptr, &hid_interface_class, past_the_end, &interface_data), 0);
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_NO_MORE_ITEMS);
    EXPECT_FALSE(dll.entry_missing);

    EXPECT_NE(dll.destroy_device_info_list(list), 0);
    EXPECT_FALSE(dll.entry_missing);
}

TEST(Setupapi_loader, AMissingLibraryGivesANullModule)
{
    EXPECT_EQ(win32::LoadLibraryA("kvr27-no-such-library.dll"), nullptr);
    EXPECT_EQ(win32::GetLastError(), error_mod_not_found);
}

} // namespace
