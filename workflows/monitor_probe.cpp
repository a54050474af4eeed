#include "workflows/monitor_probe.h"

#include "protocol/msp430_bootloader.h"
#include "workflows/detector_presence.h"
#include "workflows/dongle_device.h"

Monitor_probe probe_dongle_and_detector(int cl, int address)
{
    Monitor_probe probe;
    MSP430_bootloader detector(cl);
    detector.address = address;
    if (!detector.connect(dongle_device))
        return probe;
    probe.dongle_connected = true;
    probe.detector_connected = answers_info_request(detector);
    return probe;
}
