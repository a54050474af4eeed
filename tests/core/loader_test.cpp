#include "hid/dynamic_dll_load.h"
#include "tests/support/test_support.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

using test_support::Sim_test;
using test_support::Stdout_capture;

namespace {

class Loader : public Sim_test {};

TEST_F(Loader, ReportsLoadingOnOneLineAndUnloadingOnTheNext)
{
    struct Case {
        bool library_present;
        const char* output;
        bool load_failed;
        int freed;
    };
    const Case cases[] = {
        {true, "Dynamic DLL load, setupapi.dll...OK\nDynamic DLL unload", false, 1},
        {false, "Dynamic DLL load, setupapi.dll...Error\nDynamic DLL unload", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library_present ? "library present" : "library missing");
        sim_system::reset_world();
        test_support::listen_to_calls();
        system.setupapi_present = c.library_present;
        Stdout_capture out;
        {
            Dynamic_DLL_load dll;
            EXPECT_EQ(out.text(), std::string(c.output).substr(0, std::string(c.output).find('\n')));
            EXPECT_EQ(dll.load_failed, c.load_failed);
            EXPECT_FALSE(dll.entry_missing);
        }
        EXPECT_EQ(out.text(), c.output);
        EXPECT_EQ(heard.calls.front(), "LoadLibraryA setupapi.dll");
        EXPECT_EQ(system.libraries_freed, c.freed);
    }
}

// What each wrapper needs to reach its entry point with arguments the
// platform accepts: a list holding one interface, its interface record and
// its device-information record.
struct Prepared {
    win32::HDEVINFO list = nullptr;
    win32::SP_DEVICE_INTERFACE_DATA interface_data{};
    win32::SP_DEVINFO_DATA devinfo{};
    win32::DWORD type = 0;
    win32::DWORD required = 0;
    std::uint8_t buffer[512] = {};
};

struct Wrapper {
    const char* entry_point;
    std::function<std::uintptr_t(Dynamic_DLL_load&, Prepared&)> call;
};

const Wrapper wrappers[] = {
    {"SetupDiGetClassDevsA",
     [](Dynamic_DLL_load& dll, Prepared&) {
         return reinterpret_cast<std::uintptr_t>(
             dll.get_class_devs(&win32::hid_interface_class, nullptr, nullptr, 0x12));
     }},
    {"SetupDiEnumDeviceInterfaces",
     [](Dynamic_DLL_load& dll, Prepared& p) -> std::uintptr_t {
         return dll.enum_device_interfaces(p.list, nullptr, &win32::hid_interface_class, 0, &p.interface_data);
     }},
    {"SetupDiDestroyDeviceInfoList",
     [](Dynamic_DLL_load& dll, Prepared& p) -> std::uintptr_t { return dll.destroy_device_info_list(p.list); }},
    {"SetupDiEnumDeviceInfo",
     [](Dynamic_DLL_load& dll, Prepared& p) -> std::uintptr_t { return dll.enum_device_info(p.list, 0, &p.devinfo); }},
    {"SetupDiGetDeviceRegistryPropertyA",
     [](Dynamic_DLL_load& dll, Prepared& p) -> std::uintptr_t {
         return dll.get_device_registry_property(p.list, &p.devinfo, win32::SPDRP_HARDWAREID, &p.type, p.buffer,
                                                 sizeof p.buffer, &p.required);
     }},
    {"SetupDiGetDeviceInterfaceDetailA",
     [](Dynamic_DLL_load& dll, Prepared& p) -> std::uintptr_t {
         auto* detail = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(p.buffer);
         detail->cbSize = sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
         return dll.get_device_interface_detail(p.list, &p.interface_data, detail, sizeof p.buffer, &p.required,
                                                nullptr);
     }},
};

class Loader_wrapper : public Sim_test, public ::testing::WithParamInterface<Wrapper> {
protected:
    Loader_wrapper()
    {
        world.add_interface(sim::dongle_b_interface());
        dll = std::make_unique<Dynamic_DLL_load>();
        prepared.list = dll->get_class_devs(&win32::hid_interface_class, nullptr, nullptr, 0x12);
        prepared.interface_data.cbSize = sizeof prepared.interface_data;
        dll->enum_device_interfaces(prepared.list, nullptr, &win32::hid_interface_class, 0, &prepared.interface_data);
        prepared.devinfo.cbSize = sizeof prepared.devinfo;
        dll->enum_device_info(prepared.list, 0, &prepared.devinfo);
        heard.lookups.clear();
    }

    std::unique_ptr<Dynamic_DLL_load> dll;
    Prepared prepared;
};

TEST_P(Loader_wrapper, LooksItsEntryPointUpOnEveryCallAndReturnsZeroWhenItIsMissing)
{
    const Wrapper& wrapper = GetParam();

    EXPECT_NE(wrapper.call(*dll, prepared), 0u) << "the entry point's own result";
    EXPECT_FALSE(dll->entry_missing);

    system.missing_entry_points.insert(wrapper.entry_point);
    EXPECT_EQ(wrapper.call(*dll, prepared), 0u);
    EXPECT_TRUE(dll->entry_missing);

    EXPECT_EQ(heard.lookups[wrapper.entry_point], 2);
    EXPECT_EQ(heard.lookups.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Six, Loader_wrapper, ::testing::ValuesIn(wrappers),
                         [](const auto& p) { return std::string(p.param.entry_point); });

TEST_F(Loader, WithoutTheLibraryEveryWrapperReturnsZeroAndCallsNothing)
{
    system.setupapi_present = false;
    world.add_interface(sim::dongle_b_interface());
    Dynamic_DLL_load dll;
    Prepared prepared;
    for (const Wrapper& wrapper : wrappers) {
        EXPECT_EQ(wrapper.call(dll, prepared), 0u) << wrapper.entry_point;
        EXPECT_TRUE(dll.entry_missing) << wrapper.entry_point;
    }
    EXPECT_TRUE(std::none_of(heard.calls.begin(), heard.calls.end(),
                             [](const std::string& call) { return call.rfind("SetupDi", 0) == 0; }));
}

} // namespace
