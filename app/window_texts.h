// The window's fixed texts: captions the code sets at run time and the
// messages of the workflows.
#pragma once

namespace text {

inline constexpr const char* caption = "kvr27dust32 v4";

inline constexpr const char* dongle_missing =
    "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. "
    "Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). ";
inline constexpr const char* detector_silent =
    "Nie udało się skomunikować z czujką. Upewnij się że czujka jest poprawnie podłączona i zasilona.";
inline constexpr const char* data_incomplete = "Nie udało się pobrać wszystkich danych z czujki.";
inline constexpr const char* level_undetermined =
    "Nie można obliczyć poziomu zabrudzenia: słowa kalibracyjne czujki UR i U0 są równe "
    "(pamięć kalibracyjna czujki może być skasowana). Odczytane słowa są pokazane w polach.";

inline constexpr const char* pic_connection_error = "pic connection error";
inline constexpr const char* msp_connection_error = "msp connection error";
inline constexpr const char* connection_error = "connection error";

inline constexpr const char* dongle_unknown = "DONGLE USB";
inline constexpr const char* dongle_connected = "DONGLE KVR27 PODŁĄCZONY";
inline constexpr const char* dongle_not_connected = "DONGLE KVR27 NIE PODŁĄCZONY";
inline constexpr const char* detector_unknown = "KVR27 INFO";
inline constexpr const char* detector_connected = "CZUJKA KVR27 PODŁĄCZONA";
inline constexpr const char* detector_not_connected = "CZUJKA KVR27 NIE PODŁĄCZONA";

inline constexpr const char* present = "obecna";
inline constexpr const char* absent = "nieobecna";

} // namespace text
