// The device-setup entry points and the product's discovery over a fixture
// sysfs tree.
#include "hid/hid_communication.h"
#include "hid/hid_device.h"
#include "platform/linux/device_list.h"
#include "platform/linux/hidraw_backend.h"
#include "tests/linux/sysfs_fixture.h"
#include "tests/support/device_setup_probes.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

// Names each case of a table after its `name` field.
struct Case_name {
    template <typename Info> std::string operator()(const Info& param_info) const { return param_info.param.name; }
};

using linux_test::Sysfs_fixture;
using linux_test::uevent_for;
using linux_test::Usb_parent;
using win32::hid_interface_class;

// A keyboard receiver (interface 2 of a composite device), a node whose
// uevent is unreadable, device A, a virtual device, and the dongle at a
// two-digit node number so that name order and number order differ.
class Device_list : public ::testing::Test {
protected:
    Sysfs_fixture tree;
    test_support::Scratch_directory scratch;

    Device_list()
    {
        tree.add_node("hidraw10", uevent_for(0xABCD, 0xBBBB), Usb_parent{0x0100, 0, 1});
        tree.add_node("hidraw0", uevent_for(0x046D, 0xC52B), Usb_parent{0x1211, 2, 3});
        tree.add_node("hidraw1", "HID_NAME=half-gone\n", Usb_parent{});
        tree.add_node("hidraw2", uevent_for(0xABCD, 0xAAAA), Usb_parent{0x0042, 0, 1});
        tree.add_node("hidraw3", uevent_for(0x1234, 0x5678), std::nullopt);
    }
};

TEST_F(Device_list, NodesInNumberOrderWithWindowsHardwareIds)
{
    const auto nodes = hidraw::scan_nodes(tree.sysfs().string(), "/dev");
    std::vector<std::string> seen;
    for (const auto& node : nodes)
        seen.push_back(node.device_path + " " + node.hardware_ids.c_str());
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "/dev/hidraw0 HID\\VID_046D&PID_C52B&REV_1211&MI_02",
                        "/dev/hidraw2 HID\\VID_ABCD&PID_AAAA&REV_0042",
                        "/dev/hidraw3 HID\\VID_1234&PID_5678&REV_0000",
                        "/dev/hidraw10 HID\\VID_ABCD&PID_BBBB&REV_0100",
                    }));
}

TEST_F(Device_list, EntryPointsAnswerAsTheDeviceSetupLibraryDoes)
{
    Dynamic_DLL_load dll;
    ASSERT_FALSE(dll.load_failed);
    win32::HDEVINFO list =
        dll.get_class_devs(&hid_interface_class, nullptr, nullptr, win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE);
    ASSERT_NE(list, win32::INVALID_HANDLE_VALUE);

    win32::SP_DEVICE_INTERFACE_DATA interface {
    };
    interface.cbSize = sizeof interface;
    EXPECT_TRUE(dll.enum_device_interfaces(list, nullptr, &hid_interface_class, 3, &interface));
    EXPECT_FALSE(dll.enum_device_interfaces(list, nullptr, &hid_interface_class, 4, &interface));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_NO_MORE_ITEMS);

    // The hardware-ID property: size query, too small a buffer, then the list.
    win32::SP_DEVINFO_DATA devinfo{};
    devinfo.cbSize = sizeof devinfo;
    ASSERT_TRUE(dll.enum_device_info(list, 3, &devinfo));
    win32::DWORD type = 0, required = 0;
    EXPECT_FALSE(
        dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, &type, nullptr, 0, &required));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INSUFFICIENT_BUFFER);
    const std::string expected = std::string("HID\\VID_ABCD&PID_BBBB&REV_0100") + '\0' + "HID\\VID_ABCD&PID_BBBB" +
                                 '\0' + "HID_DEVICE" + '\0' + '\0';
    ASSERT_EQ(required, expected.size());
    std::vector<win32::BYTE> ids(required - 1);
    EXPECT_FALSE(dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, &type, ids.data(),
                                                  static_cast<win32::DWORD>(ids.size()), nullptr));
    ids.resize(required);
    ASSERT_TRUE(dll.get_device_registry_property(list, &devinfo, win32::SPDRP_HARDWAREID, &type, ids.data(), required,
                                                 nullptr));
    EXPECT_EQ(type, win32::REG_MULTI_SZ);
    EXPECT_EQ(std::string(ids.begin(), ids.end()), expected);

    // The interface detail: size query, then the path in a block whose own
    // size field holds the bare record's size.
    win32::DWORD detail_size = 0;
    EXPECT_FALSE(dll.get_device_interface_detail(list, &interface, nullptr, 0, &detail_size, nullptr));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_INSUFFICIENT_BUFFER);
    std::vector<unsigned char> block(detail_size);
    auto* detail = reinterpret_cast<win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(block.data());
    detail->cbSize = sizeof(win32::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    ASSERT_TRUE(dll.get_device_interface_detail(list, &interface, detail, detail_size, nullptr, nullptr));
    EXPECT_EQ(std::string(detail->DevicePath), tree.node_path("hidraw10"));

    EXPECT_TRUE(dll.destroy_device_info_list(list));
    EXPECT_FALSE(dll.destroy_device_info_list(list));
    EXPECT_EQ(hidraw::open_objects().lists, 0);
}

struct Search_case {
    const char* name;
    const char* search;
    bool found;
    std::uint32_t index;
};

class Discovery : public Device_list, public ::testing::WithParamInterface<Search_case> {};

TEST_P(Discovery, FindsTheDeviceAtItsIndexAndReleasesEverything)
{
    const Search_case& c = GetParam();
    {
        HID_device device;
        EXPECT_EQ(device.find_device(c.search, true), c.found);
        EXPECT_EQ(device.interface_index, c.index);
        if (c.found) {
            EXPECT_NE(device.write_handle, win32::INVALID_HANDLE_VALUE);
            EXPECT_NE(device.read_handle, win32::INVALID_HANDLE_VALUE);
            EXPECT_EQ(hidraw::open_objects().files, 2);
        } else {
            EXPECT_EQ(device.enum_error, win32::ERROR_NO_MORE_ITEMS);
        }
    }
    const hidraw::Open_objects left = hidraw::open_objects();
    EXPECT_EQ(left.files + left.events + left.lists + left.pending, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Discovery,
                         ::testing::Values(Search_case{"device_b", "VID_ABCD&PID_BBBB", true, 3},
                                           Search_case{"device_a", "VID_ABCD&PID_AAAA", true, 1},
                                           Search_case{"lower_case_search", "vid_abcd&pid_bbbb", true, 3},
                                           Search_case{"absent", "VID_ABCD&PID_CCCC", false, 4}),
                         Case_name());

TEST_F(Device_list, ChannelConnectsToDeviceBBehindTheOthers)
{
    {
        HID_communication channel;
        ASSERT_TRUE(channel.connect("B"));
        EXPECT_EQ(channel.device->interface_index, 3u);
    }
    EXPECT_EQ(test_support::log_lines(),
              (std::vector<std::string>{" HID: Creating HID devices...", " HID: Connecting to device B...",
                                        " HID: Connecting to device B...OK", " HID: Deleting HID devices..."}));
    EXPECT_EQ(hidraw::open_objects().files, 0);
}

// Where the back ends' libraries answer each their own way
// (tests/support/device_setup_probes.h): this one as Windows does.
const test_support::Expected_answer hidraw_answers[] = {
    {&test_support::property_of_no_list, {false, win32::ERROR_INVALID_HANDLE}},
    {&test_support::detail_of_no_list, {false, win32::ERROR_INVALID_HANDLE}},
    {&test_support::property_through_unsized_record, {false, win32::ERROR_INVALID_PARAMETER}},
    {&test_support::detail_through_unsized_record, {false, win32::ERROR_INVALID_PARAMETER}},
    {&test_support::enumeration_of_another_class, {true, win32::ERROR_SUCCESS}},
    {&test_support::destroy_after_a_failure, {true, win32::ERROR_SUCCESS}},
    {&test_support::library_named_in_capitals, {true, win32::ERROR_SUCCESS}},
    {&test_support::library_of_another_name, {false, 126}}, // ERROR_MOD_NOT_FOUND
};

class Hidraw_setup_library : public Device_list, public ::testing::WithParamInterface<test_support::Expected_answer> {};

TEST_P(Hidraw_setup_library, AnswersAsWindowsDoes)
{
    EXPECT_EQ(test_support::probe_a_fresh_list(*GetParam().probe), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Probes, Hidraw_setup_library, ::testing::ValuesIn(hidraw_answers),
                         [](const auto& p) { return std::string(p.param.probe->name); });

TEST(Device_list_roots, MissingSysfsGivesAnEmptyListNotAFailure)
{
    hidraw::set_roots("/nonexistent-kvr27-sys", "/dev");
    Dynamic_DLL_load dll;
    win32::HDEVINFO list =
        dll.get_class_devs(&hid_interface_class, nullptr, nullptr, win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE);
    ASSERT_NE(list, win32::INVALID_HANDLE_VALUE);
    win32::SP_DEVICE_INTERFACE_DATA interface {
    };
    interface.cbSize = sizeof interface;
    EXPECT_FALSE(dll.enum_device_interfaces(list, nullptr, &hid_interface_class, 0, &interface));
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_NO_MORE_ITEMS);
    dll.destroy_device_info_list(list);
    hidraw::set_roots("/sys", "/dev");
}

} // namespace
