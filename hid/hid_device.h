// The dongle as one USB HID device: finds it among the present HID
// interfaces, opens it for writing and reading, and exchanges 64-byte
// reports with a time limit on every transfer.
#pragma once

#include "hid/dynamic_dll_load.h"
#include "platform/win32_api.h"

#include <cstdint>
#include <memory>
#include <string>

class HID_device {
public:
    static constexpr int report_size = 64;
    static constexpr int transfer_size = report_size + 1; // report ID byte first

    std::unique_ptr<Dynamic_DLL_load> dll;
    win32::HDEVINFO device_info_set;
    std::unique_ptr<win32::SP_DEVICE_INTERFACE_DATA> interface_data;
    std::unique_ptr<unsigned char[]> detail_data; // SP_DEVICE_INTERFACE_DETAIL_DATA_A block
    win32::SP_DEVINFO_DATA devinfo_data;
    std::uint32_t interface_index;
    std::uint32_t detail_size;
    std::uint32_t property_type;
    std::uint32_t property_size;
    unsigned char* property_buffer;
    std::uint32_t enum_error;
    std::uint32_t write_error;
    std::uint32_t read_error;
    win32::HANDLE write_handle;
    win32::HANDLE read_handle;
    bool overlapped_mode;
    std::uint8_t out_report[transfer_size];
    std::uint8_t in_report[transfer_size];
    std::int32_t write_result;
    std::int32_t read_result;
    std::string search_string;
    std::string device_id;
    bool found;
    // How many texts the steps have handed to `trace`; the texts themselves
    // go nowhere, this count is all that is left of them.
    std::uint32_t traced_lines = 0;

    HID_device();
    ~HID_device();
    HID_device(const HID_device&) = delete;
    HID_device& operator=(const HID_device&) = delete;

    bool find_device(std::string vendor_product, bool overlapped);

    bool load_table();
    void destroy_table();
    bool get_interface_data();
    bool read_device_id();
    bool load_detail_interface();
    bool create_handles();
    bool create_nb_handles();

    bool write_report(const std::uint8_t* data, bool log);
    bool read_report(std::uint8_t* data, bool log);

    // Diagnostic hook of the device's own steps: takes the text and drops it.
    void trace(std::string line);

private:
    bool open_handles(win32::DWORD flags, const char* write_text, const char* read_text, const char* failure_text,
                      const char* success_text);
    void close_handles();
    std::int32_t overlapped_transfer(bool sending, std::uint8_t* report, win32::DWORD& count, int& poll_count);
};
