// GUID_DEVINTERFACE_HID: the class of the HID device interfaces, the one
// the transport asks the device-setup library to list. Written as a braced
// initializer, so that the project's GUID (platform/win32_api.h) and the
// system's own, in code written straight against <windows.h>, take the
// same value from the same place.
#pragma once

// clang-format off
#define KVR27_HID_INTERFACE_CLASS {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}}
// clang-format on
