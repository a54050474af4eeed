#include "survey/detector_state.h"

std::array<KVR27_dust_data, detector_table_size> detector_table;
Detector_words last_reading;
