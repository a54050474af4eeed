#include "tests/app/demo_survey.h"

#include "sim/sim_world.h"
#include "workflows/survey_workflow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

Survey_result demo_survey()
{
    sim::set_up_demo_line(sim::world());
    std::optional<Survey_result> result = run_survey(4, demo_survey_time, {});
    EXPECT_TRUE(result.has_value());
    if (!result)
        return {};
    result->tool_version = "4.0";
    return *result;
}

void expect_same_records(const Survey_result& expected, const Survey_result& actual)
{
    for (std::size_t address = 0; address < expected.records.size(); ++address) {
        const KVR27_dust_data& want = expected.records[address];
        const KVR27_dust_data& got = actual.records[address];
        EXPECT_EQ(got.present, want.present) << address;
        EXPECT_EQ(got.contamination, want.contamination) << address;
        EXPECT_EQ(got.colour, want.colour) << address;
        if (!want.present)
            continue;
        EXPECT_EQ(got.u0, want.u0) << address;
        EXPECT_EQ(got.ur, want.ur) << address;
        EXPECT_EQ(got.urc, want.urc) << address;
        EXPECT_EQ(got.u, want.u) << address;
        EXPECT_EQ(got.t1, want.t1) << address;
        EXPECT_EQ(got.t2, want.t2) << address;
    }
}

std::filesystem::path fixture_path(const char* name)
{
    return std::filesystem::path(KVR27_FIXTURES) / name;
}

std::string file_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string fixture(const char* name)
{
    return file_bytes(fixture_path(name));
}
