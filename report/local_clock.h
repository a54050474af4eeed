// The moment a survey starts, from the system's clock and time zone.
#pragma once

#include "survey/survey_time.h"

Survey_time survey_time_now();
