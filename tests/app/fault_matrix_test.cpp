// Every fault of the simulated line at every exchange of a full survey,
// once at that exchange alone and once from that exchange on. Whatever
// happens, the survey ends; each record is the one of the fault-free survey
// or absent and silver, never a wrong value; a detector lost to the fault
// is never passed off as absent without a word: the survey says that the
// dongle or the channel failed; every message is one of the survey's own; every transaction in the log has exactly one
// result line; and no handle, list, event or request is left behind.
#include "survey/colours.h"
#include "survey/surveyed_addresses.h"
#include "survey/texts.h"
#include "tests/app/window_fixture.h"

#include <QRegularExpression>

#include <array>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Records = std::array<KVR27_dust_data, surveyed_addresses>;

struct Fault_kind {
    const char* name;
    // Switches the fault on (or off) for the exchange about to go out; it is
    // on at one exchange alone, or from that exchange on.
    std::function<void(sim::World&, bool on, int exchange, bool from_then_on)> apply;
};

void reply_fault(sim::World& world, bool on, sim::Reply_fault fault)
{
    world.dongle.fault = on ? fault : sim::Reply_fault::none;
}

const Fault_kind fault_kinds[] = {
    {"SilentDongle", [](sim::World& w, bool on, int, bool) { reply_fault(w, on, sim::Reply_fault::no_report); }},
    {"BadChecksum", [](sim::World& w, bool on, int, bool) { reply_fault(w, on, sim::Reply_fault::wrong_checksum); }},
    {"ReplyCode206",
     [](sim::World& w, bool on, int, bool) { reply_fault(w, on, sim::Reply_fault::checksum_error_eaea); }},
    {"WrongEcho", [](sim::World& w, bool on, int, bool) { reply_fault(w, on, sim::Reply_fault::wrong_echo); }},
    {"RefusedRequest", [](sim::World& w, bool on, int, bool) { w.refuse_requests = on; }},
    {"TransferNeverCompleting", [](sim::World& w, bool on, int, bool) { w.transfers_never_complete = on; }},
    {"LateReply", [](sim::World& w, bool on, int, bool) { reply_fault(w, on, sim::Reply_fault::late); }},
    // Alone: the dongle drops off the bus during that exchange (its transfers
    // end as on a gone device) and is back for the next. From that exchange
    // on: it is gone for good, no longer listed or opened.
    {"Unplug",
     [](sim::World& w, bool on, int exchange, bool from_then_on) {
         if (!from_then_on)
             w.transfer_end_status = on ? win32::STATUS_DEVICE_NOT_CONNECTED : win32::STATUS_SUCCESS;
         else if (on && w.unplugged_from_exchange < 0)
             w.unplugged_from_exchange = exchange;
     }},
};

struct Matrix_case {
    const Fault_kind* fault;
    bool from_then_on;
};

std::vector<Matrix_case> matrix_cases()
{
    std::vector<Matrix_case> cases;
    for (const Fault_kind& fault : fault_kinds)
        for (const bool from_then_on : {false, true})
            cases.push_back({&fault, from_then_on});
    return cases;
}

bool is_get_info_result(std::string_view line)
{
    for (const char* result :
         {"usb error at get info", "timeout error at get info", "data error at get info", "crc error at get info",
          "scan crc error at get info", "scan data error at get info", "OK at get info"})
        if (line == result)
            return true;
    return false;
}

bool is_read_result(std::string_view line)
{
    for (const char* result : {"usb data error reading ", "timeout error reading ", "no data due to broadcast reading",
                               "no data error reading ", "crc error reading ", "scan crc error reading ",
                               "other data error reading ", "scan data error reading ", "OK reading "})
        if (line.starts_with(result))
            return true;
    return false;
}

bool is_attempt_line(std::string_view line)
{
    return line.starts_with("tx: ") || line.starts_with("rx: ") || line == "retry..." || line == "CRC error: " ||
           line == "data error: ";
}

// Walks the log: a transaction is an information request ("msp430 get
// info") or a read's attempt lines, and each ends with exactly one result
// line; a broadcast value read logs its result line alone. Returns what is
// wrong, or nothing.
std::string check_transactions(const std::vector<std::string>& log)
{
    enum class Open { none, get_info, read } open = Open::none;
    for (std::size_t index = 0; index < log.size(); ++index) {
        const std::string_view line = std::string_view(log[index]).substr(1);
        const std::string where = "line " + std::to_string(index + 1) + " '" + std::string(line) + "'";
        if (line.starts_with("HID: ")) {
            if (open != Open::none)
                return where + ": a channel line inside a transaction";
        } else if (line == "msp430 get info") {
            if (open != Open::none)
                return where + ": a transaction without its result line";
            open = Open::get_info;
        } else if (is_get_info_result(line)) {
            if (open != Open::get_info)
                return where + ": a result line without its information request";
            open = Open::none;
        } else if (is_attempt_line(line)) {
            if (open == Open::get_info)
                return where + ": a read's line inside an information request";
            open = Open::read;
        } else if (is_read_result(line)) {
            const bool broadcast_alone =
                line == "no data due to broadcast reading variable" || line.ends_with("value 0x0011");
            if (open != Open::read && !(open == Open::none && broadcast_alone))
                return where + ": a second result line, or one without its read";
            open = Open::none;
        } else {
            return where + ": not a line of the log";
        }
    }
    return open == Open::none ? std::string() : "the log ends inside a transaction";
}

bool same_record(const KVR27_dust_data& a, const KVR27_dust_data& b)
{
    return a.present == b.present && a.u0 == b.u0 && a.ur == b.ur && a.urc == b.urc && a.u == b.u && a.t1 == b.t1 &&
           a.t2 == b.t2 && a.contamination == b.contamination && a.colour == b.colour;
}

const QString line_not_heard_message = QString::fromUtf8(text::line_not_heard);

bool is_message_of_the_survey(const QString& message)
{
    static const QRegularExpression start_run_error(
        QStringLiteral("^ERROR! c_high = 1023 c_low = -?\\d+ e_index = \\d$"));
    return message == line_not_heard_message || message == QStringLiteral("pic connection error") ||
           message == QStringLiteral("msp connection error") || message == QStringLiteral("connection error") ||
           message == dongle_message || start_run_error.match(message).hasMatch();
}

class Fault_matrix : public Window_test, public ::testing::WithParamInterface<Matrix_case> {
protected:
    // A line with a clean detector, one that needs cleaning and one whose
    // calibration memory is erased, among empty addresses.
    void set_up_line()
    {
        sim_system::reset_world();
        keep_no_records();
        plug_dongle();
        add_detector(1).words(100, 500, 1000, 150, 21, 22);
        add_detector(4).words(90, 490, 1000, 400, 22, 22);
        add_detector(9).words(0xFFFF, 0xFFFF, 0xFFFF, 140, 22, 23);
        for (KVR27_dust_data& record : form.records)
            record = absent_record();
        messages.clear();
        std::filesystem::remove("msp430_log.txt");
    }

    Records survey()
    {
        click("Button2");
        Records records;
        std::copy_n(form.records.begin(), records.size(), records.begin());
        return records;
    }
};

TEST_P(Fault_matrix, TheSurveyEndsWithRightOrAbsentRecordsItsOwnMessagesAndNothingOpen)
{
    const Matrix_case& c = GetParam();
    set_up_line();
    const Records fault_free = survey();
    const int exchanges = world.exchanges;
    ASSERT_TRUE(messages.isEmpty());
    ASSERT_TRUE(fault_free[1].present && fault_free[4].present && fault_free[9].present);
    ASSERT_EQ(check_transactions(test_support::log_lines()), "");

    for (int at = 0; at < exchanges; ++at) {
        set_up_line();
        world.on_exchange = [&](int exchange) {
            c.fault->apply(world, exchange == at || (c.from_then_on && exchange > at), exchange, c.from_then_on);
        };
        const Records records = survey();
        world.on_exchange = nullptr;

        const std::string where = "fault at exchange " + std::to_string(at);
        bool detector_lost = false;
        for (int address = 0; address < surveyed_addresses; ++address) {
            const KVR27_dust_data& record = records[static_cast<std::size_t>(address)];
            const bool absent = !record.present && record.colour == colour::silver;
            const bool right = same_record(record, fault_free[static_cast<std::size_t>(address)]);
            EXPECT_TRUE(absent || right) << where << ": address " << address << " holds a wrong record";
            detector_lost = detector_lost || !right;
        }
        EXPECT_TRUE(!detector_lost || messages.contains(line_not_heard_message) || messages.contains(dongle_message))
            << where << ": a detector was lost to the fault without a word";
        for (const QString& message : messages)
            EXPECT_TRUE(is_message_of_the_survey(message)) << where << ": " << message.toStdString();
        EXPECT_EQ(check_transactions(test_support::log_lines()), "") << where;
        EXPECT_EQ(system.open_handles(), 0) << where;
        EXPECT_TRUE(system.pending.empty()) << where;
        if (HasFailure())
            return; // one exchange's failures say enough
    }
}

void PrintTo(const Matrix_case& c, std::ostream* out)
{
    *out << c.fault->name << (c.from_then_on ? " from then on" : " alone");
}

INSTANTIATE_TEST_SUITE_P(Table, Fault_matrix, ::testing::ValuesIn(matrix_cases()), [](const auto& p) {
    return std::string(p.param.fault->name) + (p.param.from_then_on ? "FromThenOn" : "Alone");
});

} // namespace
