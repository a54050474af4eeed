// One tick of the dongle monitor: opens the dongle and asks the selected
// detector for its information block.
#pragma once

struct Monitor_probe {
    bool dongle_connected = false;
    bool detector_connected = false; // never without the dongle
};

Monitor_probe probe_dongle_and_detector(int cl, int address);
