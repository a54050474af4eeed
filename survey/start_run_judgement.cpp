#include "survey/start_run_judgement.h"

bool Start_run_judgement::take_reading(int cycle, int reading)
{
    c_low = reading;
    if (c_low > pass_limit && c_low <= c_high) {
        ++high_count;
        e_index = cycle;
        return high_count > high_streak_limit;
    }
    high_count = 0;
    return false;
}

bool Start_run_judgement::passed() const
{
    return c_low >= 0 && c_low <= pass_limit && c_low < c_high;
}

std::string Start_run_judgement::ok_message() const
{
    return "OK! c_high = " + std::to_string(c_high) + " c_low = " + std::to_string(c_low);
}

std::string Start_run_judgement::error_message() const
{
    return "ERROR! c_high = " + std::to_string(c_high) + " c_low = " + std::to_string(c_low) +
           " e_index = " + std::to_string(e_index);
}
