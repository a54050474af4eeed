#include "hid/hid_device.h"
#include "tests/support/test_support.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using test_support::Sim_test;

namespace {

constexpr const char* device_b = "VID_ABCD&PID_BBBB";

sim::Hid_interface with_ids(std::vector<std::string> hardware_ids)
{
    sim::Hid_interface hid = sim::other_interface(0x1234, 0x0001);
    hid.hardware_ids = std::move(hardware_ids);
    return hid;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int count_calls(const test_support::Call_records& heard, const std::string& prefix)
{
    return static_cast<int>(std::count_if(heard.calls.begin(), heard.calls.end(),
                                          [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
}

// The file handles open on interface `index`: {write handles, read handles},
// all of them opened for overlapped transfers.
std::pair<int, int> handles_on(const sim_system::System& system, int index)
{
    std::pair<int, int> counts;
    for (const auto& [handle, open] : system.handles.objects) {
        if (open.kind != emulated::Object::Kind::file || open.file.device != index)
            continue;
        EXPECT_EQ(open.file.flags, win32::FILE_FLAG_OVERLAPPED);
        counts.first += open.file.writing && !open.file.reading;
        counts.second += open.file.reading && !open.file.writing;
    }
    return counts;
}

struct Match_case {
    const char* name;
    std::vector<std::vector<std::string>> interfaces; // hardware IDs of each, in list order
    std::string search;
    int opened; // index of the interface opened, -1 for none
};

const Match_case match_cases[] = {
    {"DongleBehindAnotherDevice",
     {{"HID\\VID_046D&PID_C52B&REV_1200", "HID\\VID_046D&PID_C52B"}, {"HID\\VID_ABCD&PID_BBBB&REV_0100"}},
     device_b,
     1},
    {"LowerCaseSearchText", {{"HID\\VID_ABCD&PID_BBBB&REV_0100"}}, "vid_abcd&pid_bbbb", 0},
    {"LowerCaseHardwareId", {{"hid\\vid_abcd&pid_bbbb&rev_0100"}}, device_b, 0},
    {"TextInsideALongerId", {{"XVID_ABCD&PID_BBBBX"}}, device_b, 0},
    {"ShorterIdDoesNotMatch", {{"HID\\VID_ABCD&PID_BBB"}}, device_b, -1},
    {"OnlyTheFirstEntryIsCompared",
     {{"HID\\VID_1234&PID_0001", "HID\\VID_ABCD&PID_BBBB&REV_0100"}, {"HID\\VID_ABCD&PID_BBBB&REV_0100"}},
     device_b,
     1},
    {"EmptySearchTextMatchesIndexZero", {{"HID\\VID_046D&PID_C52B"}, {"HID\\VID_ABCD&PID_BBBB"}}, "", 0},
    {"LowerOfTwoMatchesIsOpened",
     {{"HID\\VID_046D&PID_C52B"}, {"HID\\VID_ABCD&PID_BBBB&REV_0100"}, {"HID\\VID_ABCD&PID_BBBB&REV_0200"}},
     device_b,
     1},
    {"DeviceABehindDeviceB",
     {{"HID\\VID_ABCD&PID_BBBB&REV_0100"}, {"HID\\VID_ABCD&PID_AAAA&REV_0100"}},
     "VID_ABCD&PID_AAAA",
     1},
    {"NoInterfaceAtAll", {}, device_b, -1},
    {"NoInterfaceMatches", {{"HID\\VID_046D&PID_C52B"}, {"HID\\VID_ABCD&PID_AAAA&REV_0100"}}, device_b, -1},
};

class Discovery_match : public Sim_test, public ::testing::WithParamInterface<Match_case> {};

TEST_P(Discovery_match, OpensTheFirstInterfaceWhoseFirstIdContainsTheText)
{
    const Match_case& c = GetParam();
    for (const auto& ids : c.interfaces)
        world.add_interface(with_ids(ids));
    {
        HID_device device;
        const bool result = device.find_device(c.search, true);

        EXPECT_EQ(device.search_string, c.search);
        if (c.opened >= 0) {
            ASSERT_TRUE(result);
            EXPECT_TRUE(device.found);
            EXPECT_EQ(device.interface_index, static_cast<std::uint32_t>(c.opened));
            EXPECT_EQ(device.device_id, upper(c.interfaces[c.opened].front()));
            EXPECT_EQ(handles_on(system, c.opened), std::make_pair(1, 1));
            EXPECT_EQ(system.open_files(), 2);
        } else {
            EXPECT_FALSE(result);
            EXPECT_FALSE(device.found);
            EXPECT_EQ(device.enum_error, win32::ERROR_NO_MORE_ITEMS);
            EXPECT_EQ(system.open_files(), 0);
            EXPECT_EQ(count_calls(heard, "CreateFileA"), 0);
        }
    }
    EXPECT_EQ(system.open_handles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, Discovery_match, ::testing::ValuesIn(match_cases),
                         [](const auto& p) { return std::string(p.param.name); });

class Discovery : public Sim_test {};

TEST_F(Discovery, WalksTheListInIndexOrderAndReleasesEverythingAtDestruction)
{
    const sim::Hid_interface other = world.add_interface(sim::other_interface(0x046D, 0xC52B));
    const sim::Hid_interface dongle = world.add_interface(sim::dongle_b_interface());
    {
        HID_device device;
        ASSERT_TRUE(device.find_device(device_b, true));
    }
    const std::vector<std::string> expected = {
        "LoadLibraryA setupapi.dll",
        "SetupDiGetClassDevsA",
        "SetupDiEnumDeviceInterfaces 0",
        "SetupDiEnumDeviceInfo 0",
        "SetupDiGetDeviceRegistryPropertyA size",
        "SetupDiGetDeviceRegistryPropertyA",
        "SetupDiEnumDeviceInterfaces 1",
        "SetupDiEnumDeviceInfo 1",
        "SetupDiGetDeviceRegistryPropertyA size",
        "SetupDiGetDeviceRegistryPropertyA",
        "SetupDiGetDeviceInterfaceDetailA size",
        "SetupDiGetDeviceInterfaceDetailA",
        "CreateFileA write " + dongle.path,
        "CreateFileA read " + dongle.path,
        "SetupDiDestroyDeviceInfoList",
        "CloseHandle file",
        "CloseHandle file",
    };
    EXPECT_EQ(heard.calls, expected);
    EXPECT_EQ(system.open_handles(), 0);
    EXPECT_EQ(system.libraries_freed, 1);
    EXPECT_NE(other.path, dongle.path);
}

struct Failure_case {
    const char* name;
    std::function<void(sim::World&)> set_up;
    bool found;
    int lists_held;
    int files_open;
    int files_tried; // CreateFileA calls
};

void dongle_behind_other(sim::World& world)
{
    world.add_interface(sim::other_interface(0x046D, 0xC52B));
    world.add_interface(sim::dongle_b_interface());
}

const Failure_case failure_cases[] = {
    {"ListCannotBeBuilt",
     [](sim::World& w) {
         dongle_behind_other(w);
         sim_system::system().class_list_fails = true;
     },
     false, 0, 0, 0},
    {"LibraryMissing",
     [](sim::World& w) {
         dongle_behind_other(w);
         sim_system::system().setupapi_present = false;
     },
     false, 0, 0, 0},
    {"EnumerationEntryPointMissing",
     [](sim::World& w) {
         dongle_behind_other(w);
         sim_system::system().missing_entry_points.insert("SetupDiEnumDeviceInterfaces");
     },
     false, 1, 0, 0},
    {"EnumerationFailsAtTheDongle",
     [](sim::World& w) {
         dongle_behind_other(w);
         sim_system::system().enumeration_errors[1] = win32::ERROR_GEN_FAILURE;
     },
     false, 1, 0, 0},
    {"EnumerationSucceedsButLeavesNoMoreItems",
     [](sim::World& w) {
         dongle_behind_other(w);
         sim_system::system().errors_after_enumeration[1] = win32::ERROR_NO_MORE_ITEMS;
     },
     false, 1, 0, 0},
    {"DongleIdUnreadable",
     [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).property_fault = sim::Property_fault::unreadable; },
     false, 1, 0, 0},
    {"DongleIdEmpty",
     [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).property_fault = sim::Property_fault::empty; },
     false, 1, 0, 0},
    {"DongleIdUnterminated",
     [](sim::World& w) {
         w.add_interface(sim::dongle_b_interface()).property_fault = sim::Property_fault::unterminated;
     },
     false, 1, 0, 0},
    {"DetailBlockSmallerThanItsRecord",
     [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).detail_fault = sim::Detail_fault::too_small; },
     true, 1, 0, 0},
    {"DetailReadFails",
     [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).detail_fault = sim::Detail_fault::read_fails; },
     true, 1, 0, 0},
    {"WriteHandleFailsReadHandleOpens",
     [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).write_open_fails = true; }, true, 1, 1, 2},
    {"ReadHandleFails", [](sim::World& w) { w.add_interface(sim::dongle_b_interface()).read_open_fails = true; }, true,
     1, 1, 2},
    {"BothHandlesFail",
     [](sim::World& w) {
         sim::Hid_interface& dongle = w.add_interface(sim::dongle_b_interface());
         dongle.write_open_fails = dongle.read_open_fails = true;
     },
     true, 1, 0, 2},
};

class Discovery_failure : public Sim_test, public ::testing::WithParamInterface<Failure_case> {};

TEST_P(Discovery_failure, ReturnsFalseAndTheDestructionLeavesNothingOpen)
{
    const Failure_case& c = GetParam();
    c.set_up(world);
    {
        HID_device device;
        EXPECT_FALSE(device.find_device(device_b, true));
        EXPECT_EQ(device.found, c.found);
        EXPECT_EQ(system.open_lists(), c.lists_held);
        EXPECT_EQ(system.open_files(), c.files_open);
        EXPECT_EQ(count_calls(heard, "CreateFileA"), c.files_tried);
    }
    EXPECT_EQ(system.open_handles(), 0);
    EXPECT_EQ(system.libraries_freed, system.libraries_loaded);
}

INSTANTIATE_TEST_SUITE_P(Table, Discovery_failure, ::testing::ValuesIn(failure_cases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Discovery, AnUnusableHardwareIdReadsAsEmptyAndTheSearchGoesOn)
{
    for (sim::Property_fault fault :
         {sim::Property_fault::unreadable, sim::Property_fault::empty, sim::Property_fault::unterminated}) {
        sim::World& w = sim_system::reset_world();
        test_support::listen_to_calls();
        sim::Hid_interface front = sim::dongle_b_interface(); // would match, were its ID readable
        front.property_fault = fault;
        w.add_interface(front);
        w.add_interface(sim::dongle_b_interface());

        HID_device device;
        ASSERT_TRUE(device.find_device(device_b, true)) << static_cast<int>(fault);
        EXPECT_EQ(device.interface_index, 1u);
        EXPECT_EQ(count_calls(heard, "SetupDiEnumDeviceInterfaces"), 2);
    }
}

TEST_F(Discovery, ASecondSearchReleasesWhatTheFirstHeld)
{
    sim::Hid_interface& dongle = world.add_interface(sim::dongle_b_interface());
    dongle.write_open_fails = true;
    {
        HID_device device;
        ASSERT_FALSE(device.find_device(device_b, true));
        ASSERT_EQ(system.open_files(), 1);

        world.interfaces[0].write_open_fails = false;
        ASSERT_TRUE(device.find_device(device_b, true));
        EXPECT_EQ(system.open_lists(), 1);
        EXPECT_EQ(handles_on(system, 0), std::make_pair(1, 1));

        ASSERT_TRUE(device.find_device("vid_abcd&pid_bbbb", true));
        EXPECT_EQ(system.open_lists(), 1);
        EXPECT_EQ(system.open_files(), 2);
        EXPECT_EQ(device.search_string, "vid_abcd&pid_bbbb");
    }
    EXPECT_EQ(system.open_handles(), 0);
}

TEST_F(Discovery, BlockingModeOpensWithoutTheOverlappedFlag)
{
    world.add_interface(sim::dongle_b_interface());
    HID_device device;
    ASSERT_TRUE(device.find_device(device_b, false));
    EXPECT_FALSE(device.overlapped_mode);
    ASSERT_EQ(system.open_files(), 2);
    for (const auto& [handle, open] : system.handles.objects) {
        if (open.kind == emulated::Object::Kind::file) {
            EXPECT_EQ(open.file.flags, 0u);
        }
    }
}

} // namespace
