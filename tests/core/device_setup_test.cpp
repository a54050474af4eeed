// The simulated line's device-setup library where the back ends' libraries
// answer each their own way (tests/support/device_setup_probes.h): as far
// as the transport reads, never more.
#include "tests/support/device_setup_probes.h"
#include "tests/support/test_support.h"

#include <string>

namespace {

using test_support::Expected_answer;

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
    EXPECT_EQ(test_support::probe_a_fresh_list(*GetParam().probe), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Probes, Simulated_setup_library, ::testing::ValuesIn(simulated_answers),
                         [](const auto& p) { return std::string(p.param.probe->name); });

} // namespace
