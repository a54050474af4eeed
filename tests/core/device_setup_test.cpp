// The simulated line's device-setup library where the back ends' libraries
// answer each their own way (tests/support/device_setup_probes.h): as far
// as the transport reads, never more.
#include "hid/dynamic_dll_load.h"
#include "tests/support/device_setup_probes.h"
#include "tests/support/test_support.h"

#include <string>

namespace {

using test_support::Setup_answer;
using test_support::Setup_probe;

struct Expected_answer {
    const Setup_probe* probe;
    Setup_answer answer;
};

void PrintTo(const Expected_answer& expected, std::ostream* out)
{
    *out << expected.probe->name;
}

const Expected_answer simulated_answers[] = {
    {&test_support::property_of_no_list, {false, win32::ERROR_INVALID_PARAMETER}},
    {&test_support::detail_of_no_list, {false, win32::ERROR_INVALID_PARAMETER}},
    {&test_support::property_through_unsized_record, {true, win32::ERROR_SUCCESS}},
    {&test_support::detail_through_unsized_record, {true, win32::ERROR_SUCCESS}},
    {&test_support::enumeration_of_another_class, {false, win32::ERROR_NO_MORE_ITEMS}},
    {&test_support::destroy_after_a_failure, {true, 127}}, // ERROR_PROC_NOT_FOUND stays
    {&test_support::library_named_in_capitals, {false, win32::ERROR_FILE_NOT_FOUND}},
    {&test_support::library_of_another_name, {false, win32::ERROR_FILE_NOT_FOUND}},
};

class Simulated_setup_library : public test_support::Sim_test, public ::testing::WithParamInterface<Expected_answer> {};

TEST_P(Simulated_setup_library, AnswersInItsOwnManner)
{
    world.add_interface(sim::dongle_b_interface());
    Dynamic_DLL_load dll;
    const win32::HDEVINFO list = dll.get_class_devs(&win32::hid_interface_class, nullptr, nullptr,
                                                    win32::DIGCF_PRESENT | win32::DIGCF_DEVICEINTERFACE);
    ASSERT_NE(list, win32::INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetParam().probe->run(dll, list), GetParam().answer);
    dll.destroy_device_info_list(list);
}

INSTANTIATE_TEST_SUITE_P(Probes, Simulated_setup_library, ::testing::ValuesIn(simulated_answers),
                         [](const auto& p) { return std::string(p.param.probe->name); });

} // namespace
