<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>TForm_main</name>
    <message>
        <source>Solo</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Adres</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Odczytaj</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Tabela</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Odczytaj stan zabrudzenia czujek</source>
        <translation>Read the contamination of the detectors</translation>
    </message>
    <message>
        <source>Czujka nieobecna / poziom zabrudzenia nieznany</source>
        <translation>Detector absent / contamination level unknown</translation>
    </message>
    <message>
        <source>Czujka czysta</source>
        <translation>Detector clean</translation>
    </message>
    <message>
        <source>Średnie zabrudzenie</source>
        <translation>Medium contamination</translation>
    </message>
    <message>
        <source>Czujka wymaga czyszczenia</source>
        <translation>Detector needs cleaning</translation>
    </message>
    <message>
        <source>Ustawienia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Pokaż ustawienia serwisowe (nie zalecane!)</source>
        <translation>Show service settings (not recommended!)</translation>
    </message>
    <message>
        <source>Parametr CL</source>
        <translation>CL parameter</translation>
    </message>
    <message>
        <source>adres</source>
        <translation>address</translation>
    </message>
    <message>
        <source>uwagi</source>
        <translation>remarks</translation>
    </message>
    <message>
        <source>zabrudzenie</source>
        <translation>contamination</translation>
    </message>
    <message>
        <source>Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). </source>
        <translation>The USB dongle was not found. Connect the KVR27 dongle to a USB port of the computer. If the dongle is connected, make sure that it is shown correctly in the device manager (USB HID). </translation>
    </message>
    <message>
        <source>Nie udało się skomunikować z czujką. Upewnij się że czujka jest poprawnie podłączona i zasilona.</source>
        <translation>Could not communicate with the detector. Make sure that the detector is connected and powered correctly.</translation>
    </message>
    <message>
        <source>Nie udało się pobrać wszystkich danych z czujki.</source>
        <translation>Could not read all the data from the detector.</translation>
    </message>
    <message>
        <source>Nie można obliczyć poziomu zabrudzenia: słowa kalibracyjne czujki UR i U0 są równe (pamięć kalibracyjna czujki może być skasowana). Odczytane słowa są pokazane w polach.</source>
        <translation>The contamination level cannot be computed: the detector&apos;s calibration words UR and U0 are equal (its calibration memory may have been erased). The words read are shown in the fields.</translation>
    </message>
    <message>
        <source>DONGLE USB</source>
        <translation>USB DONGLE</translation>
    </message>
    <message>
        <source>DONGLE KVR27 PODŁĄCZONY</source>
        <translation>KVR27 DONGLE CONNECTED</translation>
    </message>
    <message>
        <source>DONGLE KVR27 NIE PODŁĄCZONY</source>
        <translation>KVR27 DONGLE NOT CONNECTED</translation>
    </message>
    <message>
        <source>CZUJKA KVR27 PODŁĄCZONA</source>
        <translation>KVR27 DETECTOR CONNECTED</translation>
    </message>
    <message>
        <source>CZUJKA KVR27 NIE PODŁĄCZONA</source>
        <translation>KVR27 DETECTOR NOT CONNECTED</translation>
    </message>
    <message>
        <source>obecna</source>
        <translation>present</translation>
    </message>
    <message>
        <source>nieobecna</source>
        <translation>absent</translation>
    </message>
</context>
</TS>
