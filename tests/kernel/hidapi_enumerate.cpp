// The comparison for the connect figures: Debian's hidapi (hidraw flavour)
// finding and opening the dongle among the same devices. Linked
// dynamically; the guest brings its libraries along.
//
// Usage: hidapi_enumerate DEVICES_PRESENT
#include <hidapi/hidapi.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    const char* devices = argc > 1 ? argv[1] : "?";
    if (hid_init() != 0)
        return 1;
    constexpr int rounds = 20;
    using clock_type = std::chrono::steady_clock;
    double enumerate_ms = 0, open_ms = 0;
    int found = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = clock_type::now();
        hid_device_info* all = hid_enumerate(0, 0);
        enumerate_ms += std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
        hid_free_enumeration(all);

        // What a connect needs: the dongle's entry, then its node opened.
        start = clock_type::now();
        hid_device_info* dongle = hid_enumerate(0xABCD, 0xBBBB);
        hid_device* handle = dongle != nullptr ? hid_open_path(dongle->path) : nullptr;
        open_ms += std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
        found += handle != nullptr ? 1 : 0;
        if (handle != nullptr)
            hid_close(handle);
        hid_free_enumeration(dongle);
    }
    hid_exit();
    std::fprintf(stderr,
                 "KVR27-FIGURE hidapi %s devices, %.3f ms per hid_enumerate(0, 0), %.3f ms per "
                 "hid_enumerate(0xABCD, 0xBBBB) + hid_open_path\n",
                 devices, enumerate_ms / rounds, open_ms / rounds);
    return found == rounds ? 0 : 1;
}
