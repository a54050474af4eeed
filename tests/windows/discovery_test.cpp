// Discovery on the real system. Wine offers two HID devices of its own
// (vendor 845E, products 0001 and 0002); the dongle is never among them.
#include "hid/hid_device.h"
#include "platform/win32_api.h"
#include "tests/windows/system_side.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Index of the first interface whose hardware ID holds `search`, as the
// system lists them; the list's size when none does.
std::size_t system_index_of(const std::string& search)
{
    const std::vector<std::string> ids = system_side::hid_hardware_ids();
    const auto match = std::find_if(ids.begin(), ids.end(), [&](const std::string& id) {
        return upper(id).find(upper(search)) != std::string::npos;
    });
    return static_cast<std::size_t>(match - ids.begin());
}

// Wine's own devices, as their hardware IDs spell them.
const std::vector<std::string> wine_devices = {"VID_845E&PID_0001", "VID_845E&PID_0002"};

struct Present_device {
    const char* search;
    std::uint16_t vendor;
    std::uint16_t product;
};

class Finding_a_present_device : public ::testing::TestWithParam<Present_device> {};

TEST_P(Finding_a_present_device, OpensBothHandlesOnTheInterfaceAtItsIndex)
{
    ASSERT_TRUE(system_side::wait_for_hid_devices(wine_devices));
    const Present_device& wanted = GetParam();
    const std::size_t index = system_index_of(wanted.search);
    ASSERT_LT(index, system_side::hid_hardware_ids().size()) << "the system offers no " << wanted.search;

    HID_device device;
    ASSERT_TRUE(device.find_device(wanted.search, true));

    EXPECT_TRUE(device.found);
    EXPECT_EQ(device.interface_index, index);
    EXPECT_EQ(device.device_id, upper(system_side::hid_hardware_ids()[index]));
    EXPECT_TRUE(device.overlapped_mode);
    ASSERT_NE(device.write_handle, win32::INVALID_HANDLE_VALUE);
    ASSERT_NE(device.read_handle, win32::INVALID_HANDLE_VALUE);
    for (win32::HANDLE handle : {device.write_handle, device.read_handle}) {
        const system_side::Hid_attributes attributes = system_side::hid_attributes(handle);
        EXPECT_TRUE(attributes.read);
        EXPECT_EQ(attributes.vendor, wanted.vendor);
        EXPECT_EQ(attributes.product, wanted.product);
    }
}

INSTANTIATE_TEST_SUITE_P(Wine_devices, Finding_a_present_device,
                         ::testing::Values(Present_device{"VID_845E&PID_0002", 0x845E, 0x0002},
                                           Present_device{"vid_845e&pid_0001", 0x845E, 0x0001}),
                         [](const ::testing::TestParamInfo<Present_device>& param) {
                             return "Product" + std::to_string(param.param.product) +
                                    (std::islower(static_cast<unsigned char>(param.param.search[0])) ? "LowerCase"
                                                                                                     : "");
                         });

TEST(Finding_the_absent_dongle, WalksPastTheLastInterfaceAndOpensNothing)
{
    ASSERT_TRUE(system_side::wait_for_hid_devices(wine_devices)) << "no HID interface to walk past";
    const std::size_t present = system_side::hid_hardware_ids().size();

    HID_device device;
    EXPECT_FALSE(device.find_device("VID_ABCD&PID_BBBB", true));

    EXPECT_FALSE(device.found);
    EXPECT_EQ(device.enum_error, win32::ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(device.interface_index, present);
    EXPECT_EQ(device.write_handle, win32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(device.read_handle, win32::INVALID_HANDLE_VALUE);
}

TEST(Opening_a_path, ThatDoesNotExistGivesTheInvalidHandleAndTheReason)
{
    const std::string path = system_side::unique_pipe_name();
    const win32::HANDLE handle = win32::CreateFileA(path.c_str(), win32::GENERIC_READ, 3, nullptr, win32::OPEN_EXISTING,
                                                    win32::FILE_FLAG_OVERLAPPED, nullptr);
    EXPECT_EQ(handle, win32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(win32::GetLastError(), win32::ERROR_FILE_NOT_FOUND);
}

} // namespace
