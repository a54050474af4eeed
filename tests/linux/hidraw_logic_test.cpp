#include "platform/linux/hidraw_logic.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using namespace hidraw;

namespace {

// Names each case of a table after its `name` field.
struct Case_name {
    template <typename Info> std::string operator()(const Info& param_info) const { return param_info.param.name; }
};

struct Uevent_case {
    const char* name;
    std::string text;
    bool valid;
    Hid_id id;
};

class Uevent : public ::testing::TestWithParam<Uevent_case> {};

TEST_P(Uevent, ReadsBusVendorAndProduct)
{
    const Uevent_case& c = GetParam();
    const auto id = parse_uevent(c.text);
    ASSERT_EQ(id.has_value(), c.valid);
    if (c.valid) {
        EXPECT_EQ(id->bus, c.id.bus);
        EXPECT_EQ(id->vendor, c.id.vendor);
        EXPECT_EQ(id->product, c.id.product);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Uevent,
    ::testing::Values(Uevent_case{"dongle",
                                  "DRIVER=hid-generic\nHID_ID=0003:0000ABCD:0000BBBB\nHID_NAME=KVR27\n"
                                  "MODALIAS=hid:b0003g0001v0000ABCDp0000BBBB\n",
                                  true,
                                  {0x0003, 0xABCD, 0xBBBB}},
                      Uevent_case{"lower_case_hex_and_last_line_unterminated",
                                  "HID_ID=0005:0000046d:0000b01c",
                                  true,
                                  {0x0005, 0x046D, 0xB01C}},
                      Uevent_case{"crlf_line_end", "HID_ID=0003:0000ABCD:0000AAAA\r\n", true, {0x0003, 0xABCD, 0xAAAA}},
                      Uevent_case{"key_must_start_the_line", "XHID_ID=0003:0000ABCD:0000BBBB\n", false, {}},
                      Uevent_case{"missing", "HID_NAME=x\nHID_PHYS=y\n", false, {}},
                      Uevent_case{"two_fields", "HID_ID=0003:0000ABCD\n", false, {}},
                      Uevent_case{"not_hex", "HID_ID=0003:0000ABCG:0000BBBB\n", false, {}},
                      Uevent_case{"vendor_wider_than_16_bits", "HID_ID=0003:0001ABCD:0000BBBB\n", false, {}},
                      Uevent_case{"empty_field", "HID_ID=0003::0000BBBB\n", false, {}},
                      Uevent_case{"trailing_text", "HID_ID=0003:0000ABCD:0000BBBB x\n", false, {}}),
    Case_name());

struct Ids_case {
    const char* name;
    Hid_id id;
    Usb_place place;
    std::vector<std::string> entries;
};

class Hardware_ids : public ::testing::TestWithParam<Ids_case> {};

TEST_P(Hardware_ids, RendersTheWindowsListZeroSeparated)
{
    const Ids_case& c = GetParam();
    std::string expected;
    for (const std::string& entry : c.entries)
        expected += entry + '\0';
    expected += '\0';
    EXPECT_EQ(hardware_ids(c.id, c.place), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Hardware_ids,
    ::testing::Values(Ids_case{"dongle",
                               {3, 0xABCD, 0xBBBB},
                               {0x0100, std::nullopt},
                               {"HID\\VID_ABCD&PID_BBBB&REV_0100", "HID\\VID_ABCD&PID_BBBB", "HID_DEVICE"}},
                      Ids_case{"lower_digits_become_upper_and_zero_padded",
                               {3, 0x0abc, 0x00ef},
                               {0x000a, std::nullopt},
                               {"HID\\VID_0ABC&PID_00EF&REV_000A", "HID\\VID_0ABC&PID_00EF", "HID_DEVICE"}},
                      Ids_case{
                          "interface_of_a_composite_device",
                          {3, 0x046D, 0xC52B},
                          {0x1211, 2},
                          {"HID\\VID_046D&PID_C52B&REV_1211&MI_02", "HID\\VID_046D&PID_C52B&MI_02", "HID_DEVICE"}}),
    Case_name());

TEST(Hardware_ids_matching, TheSearchTextOfEachDeviceIsFoundOnlyInItsOwnFirstEntry)
{
    const std::string b = hardware_ids({3, 0xABCD, 0xBBBB}, {});
    const std::string a = hardware_ids({3, 0xABCD, 0xAAAA}, {});
    EXPECT_NE(std::string(b.c_str()).find("VID_ABCD&PID_BBBB"), std::string::npos);
    EXPECT_EQ(std::string(a.c_str()).find("VID_ABCD&PID_BBBB"), std::string::npos);
    EXPECT_NE(std::string(a.c_str()).find("VID_ABCD&PID_AAAA"), std::string::npos);
}

struct Descriptor_case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool numbered;
};

class Report_ids : public ::testing::TestWithParam<Descriptor_case> {};

TEST_P(Report_ids, FoundOnlyAsAnItemPrefix)
{
    EXPECT_EQ(uses_report_ids(GetParam().bytes), GetParam().numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Report_ids,
    ::testing::Values(
        // The dongle: vendor page, 64-byte input and output, no report IDs.
        Descriptor_case{"dongle",
                        {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                         0x08, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0},
                        false},
        Descriptor_case{"report_id_item", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0xC0}, true},
        // 0x85 as the data of a logical maximum is no item.
        Descriptor_case{"value_0x85_in_item_data", {0x26, 0x85, 0x00, 0x27, 0x85, 0x85, 0x85, 0x85}, false},
        Descriptor_case{"long_item_holding_0x85", {0xFE, 0x02, 0x10, 0x85, 0x01, 0xA1, 0x01, 0xC0}, false},
        Descriptor_case{"truncated_long_item", {0xFE}, false}, Descriptor_case{"empty", {}, false}),
    Case_name());

struct Input_case {
    const char* name;
    std::vector<std::uint8_t> got;
    bool numbered;
    std::size_t out_size;
    std::vector<std::uint8_t> expected;
};

class Input_report : public ::testing::TestWithParam<Input_case> {};

TEST_P(Input_report, CallerSeesTheReportIdFirst)
{
    const Input_case& c = GetParam();
    std::vector<std::uint8_t> out(c.out_size, 0xEE);
    const std::size_t count = windows_input_report(c.got.data(), c.got.size(), c.numbered, out.data(), out.size());
    EXPECT_EQ(count, c.out_size);
    EXPECT_EQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Input_report,
    ::testing::Values(Input_case{"unnumbered_gets_id_zero_in_front", {7, 8, 9}, false, 4, {0, 7, 8, 9}},
                      Input_case{"numbered_kept_as_read", {2, 8, 9}, true, 3, {2, 8, 9}},
                      Input_case{"short_report_padded_with_zeros", {7}, false, 4, {0, 7, 0, 0}},
                      Input_case{"long_report_cut_to_the_buffer", {7, 8, 9, 10}, false, 3, {0, 7, 8}}),
    Case_name());

TEST(Input_report_bounds, EmptyBufferGetsNothing)
{
    const std::uint8_t got[2] = {1, 2};
    EXPECT_EQ(windows_input_report(got, 2, false, nullptr, 0), 0u);
}

TEST(Output_report, UnnumberedDeviceTakesOnlyReportIdZero)
{
    const std::uint8_t id_zero[65] = {0, 10};
    const std::uint8_t id_one[65] = {1, 10};
    EXPECT_TRUE(valid_output_report(id_zero, 65, false));
    EXPECT_FALSE(valid_output_report(id_one, 65, false));
    EXPECT_TRUE(valid_output_report(id_one, 65, true));
    EXPECT_FALSE(valid_output_report(id_zero, 1, false));
    EXPECT_FALSE(valid_output_report(nullptr, 65, false));
}

struct Errno_case {
    int error_number;
    win32::DWORD code;
};

class Errno_mapping : public ::testing::TestWithParam<Errno_case> {};

TEST_P(Errno_mapping, GivesTheWindowsCode)
{
    EXPECT_EQ(windows_error(GetParam().error_number), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Cases, Errno_mapping,
                         ::testing::Values(Errno_case{ENOENT, win32::ERROR_FILE_NOT_FOUND},
                                           Errno_case{EACCES, win32::ERROR_ACCESS_DENIED},
                                           Errno_case{EPERM, win32::ERROR_ACCESS_DENIED},
                                           Errno_case{ENODEV, win32::ERROR_DEVICE_NOT_CONNECTED},
                                           Errno_case{EIO, win32::ERROR_DEVICE_NOT_CONNECTED},
                                           Errno_case{ENXIO, win32::ERROR_DEVICE_NOT_CONNECTED},
                                           Errno_case{EINVAL, win32::ERROR_INVALID_PARAMETER},
                                           Errno_case{EBUSY, win32::ERROR_GEN_FAILURE}));

TEST(Node_order, ByNumberWithForeignNamesDropped)
{
    EXPECT_EQ(ordered_nodes({"hidraw10", "hidraw2", "hidrawx", "hidraw0", "event3", "hidraw", "hidraw1"}),
              (std::vector<std::string>{"hidraw0", "hidraw1", "hidraw2", "hidraw10"}));
}

} // namespace
