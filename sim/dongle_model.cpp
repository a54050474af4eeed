#include "sim/dongle_model.h"

namespace sim {

namespace {

constexpr std::uint8_t read_value = 225;
constexpr std::uint8_t read_two_words = 187;
constexpr std::uint8_t get_info = 85;
constexpr std::uint8_t checksum_error_reply = 206;
constexpr std::uint8_t info_marker = 133;

bool is_broadcast(int address)
{
    return address == 250 || address == 251 || address == 254;
}

void put_word(Report& report, int offset, std::uint16_t word)
{
    report[offset] = static_cast<std::uint8_t>(word & 0xFF);
    report[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

} // namespace

std::uint8_t firmware_crc(const std::uint8_t* bytes, int count)
{
    std::uint8_t crc = 0;
    for (int i = 0; i < count; ++i) {
        std::uint8_t byte = bytes[i];
        for (int bit = 0; bit < 8; ++bit, byte >>= 1)
            crc =
                ((byte ^ crc) & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : static_cast<std::uint8_t>(crc >> 1);
    }
    return crc;
}

Detector& Detector::words(std::uint16_t u0, std::uint16_t ur, std::uint16_t urc, std::uint16_t u, std::uint16_t t1,
                          std::uint16_t t2)
{
    info_memory[0x1042] = {0x0A0B, 0x0C0D};
    info_memory[0x1010] = {u0, 0};
    info_memory[0x1002] = {ur, 0};
    info_memory[0x1080] = {urc, 0};
    values[2] = {u, 0};
    values[3] = {t1, t2};
    return *this;
}

Detector& Dongle::add_detector(int address)
{
    Detector detector;
    detector.address = address;
    detectors.push_back(detector);
    return detectors.back();
}

Detector* Dongle::detector_at(int address)
{
    for (Detector& detector : detectors)
        if (detector.address == address)
            return &detector;
    return nullptr;
}

Reply_fault Dongle::take_fault(std::deque<Reply_fault>& queue, Reply_fault standing)
{
    if (queue.empty())
        return standing;
    const Reply_fault next = queue.front();
    queue.pop_front();
    return next;
}

std::optional<Report> Dongle::answer(const Report& request)
{
    last_reply_delay_ms = 0;
    if (keep_records)
        requests.push_back(request);
    std::optional<Report> reply = respond(request);
    if (reply && !scripted_replies.empty()) {
        *reply = scripted_replies.front();
        scripted_replies.pop_front();
    }
    if (reply && keep_records)
        replies.push_back(*reply);
    return reply;
}

std::optional<Report> Dongle::respond(const Report& request)
{
    const Reply_fault exchange_fault = take_fault(next_faults, fault);
    if (exchange_fault == Reply_fault::no_report)
        return std::nullopt;
    if (exchange_fault == Reply_fault::late)
        last_reply_delay_ms = late_reply_ms;

    Report reply{};
    switch (request[0]) {
    case frame_request:
        return answer_frame(request, exchange_fault);
    case command_mode_0:
    case command_mode_1:
    case command_mode_2:
        mode = request[0] - command_mode_0;
        if (keep_records)
            mode_commands.push_back(mode);
        reply[0] = request[0];
        break;
    case command_current: {
        int current = current_in_mode[mode];
        if (!scripted_currents.empty()) {
            current = scripted_currents.front();
            scripted_currents.pop_front();
        }
        reply[0] = request[0];
        reply[1] = static_cast<std::uint8_t>((current >> 8) & 0xFF);
        reply[2] = static_cast<std::uint8_t>(current & 0xFF);
        break;
    }
    default:
        reply[0] = request[0];
        break;
    }
    if (exchange_fault == Reply_fault::not_a_frame)
        reply[0] = 0;
    return reply;
}

// A frame reaches every detector; the one at its address answers, nobody
// answers a broadcast. Without an answer the dongle's report carries no
// frame.
std::optional<Report> Dongle::answer_frame(const Report& request, Reply_fault exchange_fault)
{
    const int address = request[1];
    const std::uint8_t command = request[2];
    const int parameter = request[3] | (request[4] << 8);

    Report reply{};
    reply[0] = 0;
    for (Detector& detector : detectors)
        if (keep_records && (detector.address == address || is_broadcast(address)))
            detector.requests.push_back(request);
    Detector* detector = is_broadcast(address) ? nullptr : detector_at(address);
    if (detector == nullptr)
        return reply;

    const Reply_fault detector_fault = take_fault(detector->next_faults, detector->fault);
    Reply_fault reply_fault = exchange_fault != Reply_fault::none ? exchange_fault : detector_fault;
    if (reply_fault == Reply_fault::no_report)
        return std::nullopt;
    if (reply_fault == Reply_fault::late)
        last_reply_delay_ms = late_reply_ms;
    // A detector that gets a broken frame says so instead of obeying it.
    if (firmware_crc(&request[1], 8) != request[9])
        reply_fault = Reply_fault::checksum_error_eaea;

    reply[0] = frame_reply;
    reply[1] = static_cast<std::uint8_t>(address);
    reply[2] = command;
    Word_pair words;
    if (command == get_info) {
        reply[3] = info_marker;
        reply[4] = detector->info_byte;
        words.first = detector->info_word;
    } else {
        put_word(reply, 3, static_cast<std::uint16_t>(parameter));
        const auto& table = command == read_two_words ? detector->info_memory : detector->values;
        if (auto found = table.find(parameter); found != table.end())
            words = found->second;
        if (command != read_value && command != read_two_words)
            reply[2] = checksum_error_reply; // the firmware rejects what it does not know
    }
    put_word(reply, 5, words.first);
    put_word(reply, 7, words.second);

    switch (reply_fault) {
    case Reply_fault::checksum_error_eaea:
        reply[2] = checksum_error_reply;
        reply[3] = reply[4] = 0xEA;
        break;
    case Reply_fault::checksum_error_plain:
        reply[2] = checksum_error_reply;
        break;
    case Reply_fault::wrong_command:
        reply[2] = 0x42;
        break;
    case Reply_fault::wrong_echo:
        reply[3] = static_cast<std::uint8_t>(reply[3] + 1);
        break;
    case Reply_fault::not_a_frame:
        reply[0] = 0;
        break;
    default:
        break;
    }
    reply[9] = firmware_crc(&reply[1], 8);
    if (reply_fault == Reply_fault::wrong_checksum)
        reply[9] = static_cast<std::uint8_t>(reply[9] + 1);
    return reply;
}

} // namespace sim
