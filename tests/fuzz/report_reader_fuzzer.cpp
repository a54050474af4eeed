// libFuzzer harness: whatever a report file holds, the reader takes it or
// refuses it with a reason, without a crash, undefined behaviour or a
// hang; and a report it takes, written again in either format, reads back
// as the same survey (read, write, read).
//
// Input: the bytes of a file, read as CSV and as JSON in turn; the corpus
// holds reports of both formats, with and without the survey's identifier,
// line and locations.
#include "report/csv_report.h"
#include "report/json_report.h"
#include "report/report_reader.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>

namespace {

bool same_records(const Survey_result& a, const Survey_result& b)
{
    for (std::size_t address = 0; address < a.records.size(); ++address) {
        const KVR27_dust_data& x = a.records[address];
        const KVR27_dust_data& y = b.records[address];
        if (x.present != y.present || x.u0 != y.u0 || x.ur != y.ur || x.urc != y.urc || x.u != y.u || x.t1 != y.t1 ||
            x.t2 != y.t2 || x.contamination != y.contamination || x.colour != y.colour)
            return false;
    }
    return true;
}

bool same_survey(const Survey_result& a, const Report_details& a_details, const Survey_result& b,
                 const Report_details& b_details)
{
    return same_records(a, b) && a.when.utc_seconds == b.when.utc_seconds &&
           a.when.utc_offset_minutes == b.when.utc_offset_minutes && a.cl == b.cl &&
           a.start_run.state == b.start_run.state && a.tool_version == b.tool_version &&
           a_details.site == b_details.site && a_details.technician == b_details.technician &&
           a_details.survey_id == b_details.survey_id && a_details.line == b_details.line &&
           a_details.locations == b_details.locations;
}

// The result read back from what `written` holds equals the one written.
void reads_back(const QByteArray& written, bool as_csv, const Survey_result& result, const Report_details& details)
{
    Survey_result again;
    Report_details again_details;
    std::string error;
    const bool read = as_csv ? read_csv_report(written, again, again_details, error)
                             : read_json_report(written, again, again_details, error);
    fuzz_check(read);
    fuzz_check(same_survey(result, details, again, again_details));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const bool as_csv : {true, false}) {
        Survey_result result;
        Report_details details;
        std::string error;
        const bool read =
            as_csv ? read_csv_report(text, result, details, error) : read_json_report(text, result, details, error);
        fuzz_check(read == error.empty());
        if (!read)
            continue;
        reads_back(QByteArray::fromStdString(csv_report(result, details)), true, result, details);
        reads_back(json_report(result, details), false, result, details);
    }
    return 0;
}
