// The demo line surveyed on the virtual clock at a fixed moment, as the
// report fixtures hold it, and a comparison of two results record by
// record.
#pragma once

#include "survey/survey_result.h"

#include <filesystem>
#include <string>

// 2026-03-14 10:05:00 +01:00
inline constexpr Survey_time demo_survey_time{1773479100, 60};

// Surveys the demo line (the caller's fresh world) with CL 4; the version
// is the one the fixtures were written with.
Survey_result demo_survey();

void expect_same_records(const Survey_result& expected, const Survey_result& actual);

// A file's bytes as they are, line ends included.
std::string file_bytes(const std::filesystem::path& path);
// A fixture file of tests/app/fixtures.
std::string fixture(const char* name);
std::filesystem::path fixture_path(const char* name);
