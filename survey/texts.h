// The tool's fixed texts, shared by the window, the command line and the
// reports: captions set at run time, the workflows' messages, the words of
// a record. The Polish ones are marked for the translators
// (QT_TRANSLATE_NOOP) and shown in the language in use; the English
// messages of the start run and the service commands, and the caption, are
// the same in every language.
#pragma once

#include "survey/translatable.h"

namespace text {

inline constexpr const char* caption = "kvr27dust32 v4";

inline constexpr const char* already_running = QT_TRANSLATE_NOOP(
    "TForm_main",
    "Program kvr27dust32 jest już uruchomiony. Dwie kopie programu nie mogą jednocześnie korzystać z dongla, "
    "bo odczytywałyby nawzajem swoje odpowiedzi. Użyj okna, które jest już otwarte, albo poczekaj, aż tamta "
    "kopia zakończy pracę.");

inline constexpr const char* dongle_missing = QT_TRANSLATE_NOOP(
    "TForm_main",
    "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. "
    "Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). ");
// The same two sentences followed by one more, when the dongle is there but
// the system refused to open it. Each message stands whole, as the
// translation takes it.
inline constexpr const char* dongle_missing_no_permission = QT_TRANSLATE_NOOP(
    "TForm_main",
    "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. "
    "Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). "
    "Dongle jest podłączony, ale brak uprawnień do jego otwarcia: zainstaluj regułę udev opisaną w README "
    "(70-kvr27dust32.rules) albo dodaj użytkownika do grupy plugdev i zaloguj się ponownie.");
inline constexpr const char* dongle_missing_held_elsewhere = QT_TRANSLATE_NOOP(
    "TForm_main",
    "Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. "
    "Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). "
    "Dongle jest podłączony, ale używa go inny program: zamknij program, który korzysta z dongla, i spróbuj "
    "ponownie.");
// After a survey in which the dongle or the channel failed at some
// addresses: their "absent" says nothing of the detectors there.
inline constexpr const char* line_not_heard = QT_TRANSLATE_NOOP(
    "TForm_main",
    "Dongle lub kanał zawiódł w trakcie badania: nie wiadomo, czy pod adresami pokazanymi jako nieobecne są "
    "czujki. Sprawdź dongle i linię, a potem powtórz badanie.");
inline constexpr const char* detector_silent = QT_TRANSLATE_NOOP(
    "TForm_main", "Nie udało się skomunikować z czujką. Upewnij się że czujka jest poprawnie podłączona i zasilona.");
inline constexpr const char* data_incomplete =
    QT_TRANSLATE_NOOP("TForm_main", "Nie udało się pobrać wszystkich danych z czujki.");
inline constexpr const char* level_undetermined = QT_TRANSLATE_NOOP(
    "TForm_main", "Nie można obliczyć poziomu zabrudzenia: słowa kalibracyjne czujki UR i U0 są równe "
                  "(pamięć kalibracyjna czujki może być skasowana). Odczytane słowa są pokazane w polach.");

inline constexpr const char* level_unknown = "—"; // the level label when the words cannot be rated

inline constexpr const char* pic_connection_error = "pic connection error";
inline constexpr const char* msp_connection_error = "msp connection error";
inline constexpr const char* connection_error = "connection error";

inline constexpr const char* dongle_unknown = QT_TRANSLATE_NOOP("TForm_main", "DONGLE USB");
inline constexpr const char* dongle_connected = QT_TRANSLATE_NOOP("TForm_main", "DONGLE KVR27 PODŁĄCZONY");
inline constexpr const char* dongle_not_connected = QT_TRANSLATE_NOOP("TForm_main", "DONGLE KVR27 NIE PODŁĄCZONY");
inline constexpr const char* detector_unknown = "KVR27 INFO";
inline constexpr const char* detector_connected = QT_TRANSLATE_NOOP("TForm_main", "CZUJKA KVR27 PODŁĄCZONA");
inline constexpr const char* detector_not_connected = QT_TRANSLATE_NOOP("TForm_main", "CZUJKA KVR27 NIE PODŁĄCZONA");

inline constexpr const char* present = QT_TRANSLATE_NOOP("TForm_main", "obecna");
// Beside the demo program's caption, version and reports.
inline constexpr const char* simulated_line = QT_TRANSLATE_NOOP("TForm_main", "linia symulowana");
inline constexpr const char* absent = QT_TRANSLATE_NOOP("TForm_main", "nieobecna");

} // namespace text
