// A survey's identifier of its own: a random (version 4) UUID in its
// lower-case text form, "3f2b…-…". Two stores that hold the same survey
// know it by this, whoever stored it first.
#pragma once

#include <string>
#include <string_view>

std::string new_survey_id();
// True for the text form of any UUID, in either case.
bool is_survey_id(std::string_view text);
