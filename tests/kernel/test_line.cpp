#include "tests/kernel/test_line.h"

namespace kernel_test {

void add_test_line(sim::Dongle& dongle)
{
    dongle.add_detector(info_address).words(100, 500, 1000, 150, 21, 22);
    dongle.add_detector(words_address).words(1200, 3400, 2100, 2600, 19, 23);
    dongle.add_detector(7).words(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0, 0);
    dongle.add_detector(30).words(40, 4000, 4095, 4095, 25, 26);
}

void set_silent(sim::Dongle& dongle, bool silent)
{
    dongle.next_faults.clear();
    if (silent)
        dongle.next_faults.assign(silent_reports, sim::Reply_fault::no_report);
}

void make_next_reply_late(sim::Dongle& dongle)
{
    dongle.next_faults = {sim::Reply_fault::late};
}

} // namespace kernel_test
