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
        <source>Program kvr27dust32 jest już uruchomiony. Dwie kopie programu nie mogą jednocześnie korzystać z dongla, bo odczytywałyby nawzajem swoje odpowiedzi. Użyj okna, które jest już otwarte, albo poczekaj, aż tamta kopia zakończy pracę.</source>
        <translation>kvr27dust32 is already running. Two copies of the program cannot use the dongle at the same time, because they would read each other's replies. Use the window that is already open, or wait until the other copy has finished.</translation>
    </message>
    <message>
        <source>Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). </source>
        <translation>The USB dongle was not found. Connect the KVR27 dongle to a USB port of the computer. If the dongle is connected, make sure that it is shown correctly in the device manager (USB HID). </translation>
    </message>
    <message>
        <source>Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). Dongle jest podłączony, ale brak uprawnień do jego otwarcia: zainstaluj regułę udev opisaną w README (70-kvr27dust32.rules) albo dodaj użytkownika do grupy plugdev i zaloguj się ponownie.</source>
        <translation>The USB dongle was not found. Connect the KVR27 dongle to a USB port of the computer. If the dongle is connected, make sure that it is shown correctly in the device manager (USB HID). The dongle is connected, but there is no permission to open it: install the udev rule described in the README (70-kvr27dust32.rules) or add the user to the group plugdev and log in again.</translation>
    </message>
    <message>
        <source>Nie odnaleziono dongla USB. Podłącz dongle KVR27 do portu USB w komputerze. Jeśli dongle jest podłączony to upewnij się że jest poprawnie widoczny w menadżerze urządzeń (USB HID). Dongle jest podłączony, ale używa go inny program: zamknij program, który korzysta z dongla, i spróbuj ponownie.</source>
        <translation>The USB dongle was not found. Connect the KVR27 dongle to a USB port of the computer. If the dongle is connected, make sure that it is shown correctly in the device manager (USB HID). The dongle is connected, but another program is using it: close the program that uses the dongle and try again.</translation>
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
        <translation>The contamination level cannot be computed: the detector's calibration words UR and U0 are equal (its calibration memory may have been erased). The words read are shown in the fields.</translation>
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
    <message>
        <source>Nie udało się wczytać raportu %1: %2</source>
        <translation>Could not read the report %1: %2</translation>
    </message>
    <message>
        <source>Nie udało się zapisać raportu do pliku %1: %2</source>
        <translation>Could not save the report to the file %1: %2</translation>
    </message>
    <message>
        <source>stan</source>
        <translation>state</translation>
    </message>
    <message>
        <source>poziom</source>
        <translation>level</translation>
    </message>
    <message>
        <source>pasmo</source>
        <translation>band</translation>
    </message>
    <message>
        <source>poprzednio</source>
        <translation>earlier</translation>
    </message>
    <message>
        <source>zmiana</source>
        <translation>change</translation>
    </message>
    <message>
        <source>prognoza 61%</source>
        <translation>61% expected</translation>
    </message>
    <message>
        <source>Start linii: %1</source>
        <translation>Line start: %1</translation>
    </message>
    <message>
        <source>czysta</source>
        <translation>clean</translation>
    </message>
    <message>
        <source>średnie zabrudzenie</source>
        <translation>medium contamination</translation>
    </message>
    <message>
        <source>wymaga czyszczenia</source>
        <translation>needs cleaning</translation>
    </message>
    <message>
        <source>poziom nieznany</source>
        <translation>level unknown</translation>
    </message>
    <message>
        <source> (UR wzięte z URc)</source>
        <translation> (UR taken from URc)</translation>
    </message>
    <message>
        <source>nasycona</source>
        <translation>saturated</translation>
    </message>
    <message>
        <source>%1: czujka nie odpowiedziała albo nie udało się odczytać wszystkich jej słów</source>
        <translation>%1: the detector did not answer, or not all of its words could be read</translation>
    </message>
    <message>
        <source>%1: odbiornik nasycony (U = %2, powyżej %3)
słowa: %4</source>
        <translation>%1: saturated receiver (U = %2, above %3)
words: %4</translation>
    </message>
    <message>
        <source>%1: słowa kalibracyjne UR i U0 są równe, nie ma zakresu do obliczenia poziomu (pamięć kalibracyjna czujki może być skasowana)
słowa: %2</source>
        <translation>%1: the calibration words UR and U0 are equal, there is no range to compute the level in (the detector's calibration memory may be erased)
words: %2</translation>
    </message>
    <message>
        <source>%1: %2%
obliczony ze słów: %3</source>
        <translation>%1: %2%
computed from the words: %3</translation>
    </message>
    <message>
        <source>Raport kvr27dust32 (*.json *.csv)</source>
        <translation>kvr27dust32 report (*.json *.csv)</translation>
    </message>
    <message>
        <source>adres %1 / %2</source>
        <translation>address %1 / %2</translation>
    </message>
    <message>
        <source>Zapisz raport…</source>
        <translation>Save report…</translation>
    </message>
    <message>
        <source>Drukuj…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Porównaj z…</source>
        <translation>Compare with…</translation>
    </message>
    <message>
        <source>Obiekt:</source>
        <translation>Site:</translation>
    </message>
    <message>
        <source>Serwisant:</source>
        <translation>Technician:</translation>
    </message>
    <message>
        <source>Zapisz raport</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>Nie znaleziono drukarki w systemie. Zapisz raport jako PDF i wydrukuj go później.</source>
        <translation>No printer was found on this system. Save the report as a PDF and print it later.</translation>
    </message>
    <message>
        <source>Nie udało się wydrukować raportu.</source>
        <translation>Could not print the report.</translation>
    </message>
    <message>
        <source>dni</source>
        <translation>days</translation>
    </message>
    <message>
        <source>adres %1: %2</source>
        <translation>address %1: %2</translation>
    </message>
    <message>
        <source>porównanie z badaniem z %1 (%2 dni wcześniej): poprzednio %3</source>
        <translation>compared with the survey of %1 (%2 days earlier): earlier %3</translation>
    </message>
    <message>
        <source>, 61% osiągnie: %1</source>
        <translation>, reaches 61%: %1</translation>
    </message>
    <message>
        <source>nieznany format raportu: plik musi kończyć się na .csv, .json albo .pdf</source>
        <translation>unknown report format: the file must end in .csv, .json or .pdf</translation>
    </message>
    <message>
        <source>nie udało się zapisać całego raportu</source>
        <translation>the whole report could not be written</translation>
    </message>
    <message>
        <source>Obiekt: %1</source>
        <translation>Site: %1</translation>
    </message>
    <message>
        <source>Serwisant: %1</source>
        <translation>Technician: %1</translation>
    </message>
    <message>
        <source>Data badania: %1</source>
        <translation>Surveyed: %1</translation>
    </message>
    <message>
        <source>Start linii: %1 · parametr CL: %2 · %3</source>
        <translation>Line start: %1 · CL parameter: %2 · %3</translation>
    </message>
    <message>
        <source>Raport zabrudzenia czujek KVR27</source>
        <translation>KVR27 detector contamination report</translation>
    </message>
    <message>
        <source>adres %1: nieznane pasmo &quot;%2&quot;</source>
        <translation>address %1: unknown band &quot;%2&quot;</translation>
    </message>
    <message>
        <source>adres %1: słowo spoza zakresu 0–65536</source>
        <translation>address %1: a word outside 0–65536</translation>
    </message>
    <message>
        <source>adres %1: poziom albo pasmo nie wynika ze słów czujki</source>
        <translation>address %1: the level or band does not follow from the detector's words</translation>
    </message>
    <message>
        <source>wiersz adresu %1 nie ma oczekiwanej postaci</source>
        <translation>the row of address %1 does not have the expected form</translation>
    </message>
    <message>
        <source>adres %1: pola obecności i nasycenia przyjmują 0 albo 1</source>
        <translation>address %1: the present and saturated fields take 0 or 1</translation>
    </message>
    <message>
        <source>adres %1: poziom nie jest liczbą</source>
        <translation>address %1: the level is not a number</translation>
    </message>
    <message>
        <source>adres %1: słowo czujki nie jest liczbą</source>
        <translation>address %1: a detector word is not a number</translation>
    </message>
    <message>
        <source>nieznany wynik startu linii &quot;%1&quot;</source>
        <translation>unknown line start result &quot;%1&quot;</translation>
    </message>
    <message>
        <source>prąd linii nie jest liczbą</source>
        <translation>the line current is not a number</translation>
    </message>
    <message>
        <source>to nie jest raport narzędzia kvr27dust32</source>
        <translation>this is not a report of the kvr27dust32 tool</translation>
    </message>
    <message>
        <source>brak daty badania albo data w nieznanej postaci</source>
        <translation>the survey's date is missing or in an unknown form</translation>
    </message>
    <message>
        <source>parametr CL nie jest liczbą</source>
        <translation>the CL parameter is not a number</translation>
    </message>
    <message>
        <source>wpis adresu %1 nie ma oczekiwanej postaci</source>
        <translation>the entry of address %1 does not have the expected form</translation>
    </message>
    <message>
        <source>adres %1: brak słowa %2</source>
        <translation>address %1: the word %2 is missing</translation>
    </message>
    <message>
        <source>niedomknięty cudzysłów</source>
        <translation>a quotation mark is not closed</translation>
    </message>
    <message>
        <source>to nie jest raport narzędzia kvr27dust32 (pierwszy wiersz nie pasuje)</source>
        <translation>this is not a report of the kvr27dust32 tool (the first row does not match)</translation>
    </message>
    <message>
        <source>brak wierszy dla wszystkich adresów 0–31</source>
        <translation>rows for all addresses 0–31 are missing</translation>
    </message>
    <message>
        <source>niepoprawny JSON: %1</source>
        <translation>invalid JSON: %1</translation>
    </message>
    <message>
        <source>brak wpisów dla wszystkich adresów 0–31</source>
        <translation>entries for all addresses 0–31 are missing</translation>
    </message>
    <message>
        <source>porównać można raport JSON albo CSV tego narzędzia</source>
        <translation>only a JSON or CSV report of this tool can be compared</translation>
    </message>
    <message>
        <source>plik jest za duży na raport tego narzędzia</source>
        <translation>the file is too large for a report of this tool</translation>
    </message>
    <message>
        <source>pojawiła się</source>
        <translation>appeared</translation>
    </message>
    <message>
        <source>zniknęła</source>
        <translation>disappeared</translation>
    </message>
    <message>
        <source>%1 pp</source>
        <translation>%1 pp</translation>
    </message>
    <message>
        <source>już</source>
        <translation>now</translation>
    </message>
    <message>
        <source>Podsumowanie: czyste %1, średnie zabrudzenie %2, wymaga czyszczenia %3, nieobecne %4, poziom nieznany %5.</source>
        <translation>Summary: clean %1, medium contamination %2, needs cleaning %3, absent %4, level unknown %5.</translation>
    </message>
    <message>
        <source>Do czyszczenia: żadna czujka.</source>
        <translation>To clean: no detector.</translation>
    </message>
    <message>
        <source>adres %1 (%2)</source>
        <translation>address %1 (%2)</translation>
    </message>
    <message>
        <source>Do czyszczenia: %1.</source>
        <translation>To clean: %1.</translation>
    </message>
    <message>
        <source>poprawny, prąd linii %1</source>
        <translation>passed, line current %1</translation>
    </message>
    <message>
        <source>nieudany, prąd linii %1</source>
        <translation>failed, line current %1</translation>
    </message>
    <message>
        <source>nieudany, brak połączenia z donglem</source>
        <translation>failed, no connection to the dongle</translation>
    </message>
    <message>
        <source>nieudany, dongle nie przyjął trybu wyjścia</source>
        <translation>failed, the dongle did not take the output mode</translation>
    </message>
    <message>
        <source>Porównanie z badaniem z %1, %2 dni wcześniej.</source>
        <translation>Compared with the survey of %1, %2 days earlier.</translation>
    </message>
    <message>
        <source>to nie jest raport narzędzia kvr27dust32 (JSON nie jest obiektem)</source>
        <translation>this is not a report of the kvr27dust32 tool (the JSON is not an object)</translation>
    </message>
    <message>
        <source>pod tą nazwą jest dowiązanie symboliczne, a raport zapisuje się tylko jako zwykły plik</source>
        <translation>a symbolic link has this name, and a report is saved only as a regular file</translation>
    </message>
    <message>
        <source>pod tą nazwą jest folder, urządzenie lub kolejka, a nie zwykły plik</source>
        <translation>a folder, a device or a FIFO has this name, not a regular file</translation>
    </message>
    <message>
        <source>raport pochodzi z %1, a więc nie sprzed tego badania (%2)</source>
        <translation>the report is of %1, so it does not precede this survey (%2)</translation>
    </message>
    <message>
        <source>Nie udało się wypisać tabeli: %1</source>
        <translation>Could not write the table: %1</translation>
    </message>
    <message>
        <source>Dongle lub kanał zawiódł w trakcie badania: nie wiadomo, czy pod adresami pokazanymi jako nieobecne są czujki. Sprawdź dongle i linię, a potem powtórz badanie.</source>
        <translation>The dongle or the channel failed during the survey: it is not known whether there are detectors at the addresses shown as absent. Check the dongle and the line, then survey again.</translation>
    </message>
    <message>
        <source>Porównaj z raportem</source>
        <translation>Compare with a report</translation>
    </message>
    <message>
        <source>nie można otworzyć pliku</source>
        <translation>the file cannot be opened</translation>
    </message>
    <message>
        <source>brak prawa zapisu do pliku</source>
        <translation>no right to write the file</translation>
    </message>
    <message>
        <source>plik nie jest historią badań tego programu i zostaje nietknięty</source>
        <translation>the file is not this program's survey history and is left untouched</translation>
    </message>
    <message>
        <source>plik zapisała nowsza wersja programu i zostaje nietknięty</source>
        <translation>the file was written by a newer version of the program and is left untouched</translation>
    </message>
    <message>
        <source>plik jest uszkodzony i zostaje nietknięty</source>
        <translation>the file is damaged and is left untouched</translation>
    </message>
    <message>
        <source>zapis się nie udał</source>
        <translation>writing failed</translation>
    </message>
    <message>
        <source>Badanie nie zostało zapisane w historii badań %1: %2 (%3).</source>
        <translation>The survey was not kept in the survey history %1: %2 (%3).</translation>
    </message>
    <message>
        <source>%1 pp/mies.</source>
        <translation>%1 pp/month</translation>
    </message>
    <message>
        <source>za mało danych</source>
        <translation>too few data</translation>
    </message>
    <message>
        <source>poziom nie rośnie</source>
        <translation>the level does not rise</translation>
    </message>
    <message>
        <source>wzrost niepewny, przedział bez końca</source>
        <translation>rise uncertain, the interval has no end</translation>
    </message>
    <message>
        <source>%1 (od %2 do %3)</source>
        <translation>%1 (from %2 to %3)</translation>
    </message>
    <message>
        <source>Historia badań nie zawiera jeszcze żadnego obiektu.</source>
        <translation>The survey history holds no site yet.</translation>
    </message>
    <message>
        <source>obiekt</source>
        <translation>site</translation>
    </message>
    <message>
        <source>linia</source>
        <translation>line</translation>
    </message>
    <message>
        <source>badania</source>
        <translation>surveys</translation>
    </message>
    <message>
        <source>%1, %2: %3 badań</source>
        <translation>%1, %2: %3 surveys</translation>
    </message>
    <message>
        <source>poziomy</source>
        <translation>levels</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>rate</translation>
    </message>
    <message>
        <source>prognoza 61% (przedział 95%)</source>
        <translation>61% forecast (95% interval)</translation>
    </message>
    <message>
        <source>Historia badań %1 nie zna obiektu %2.</source>
        <translation>The survey history %1 knows no site %2.</translation>
    </message>
    <message>
        <source>Nie udało się odczytać historii badań %1: %2 (%3).</source>
        <translation>Could not read the survey history %1: %2 (%3).</translation>
    </message>
    <message>
        <source>wymieniony %1</source>
        <translation>replaced %1</translation>
    </message>
    <message>
        <source>oczyszczony %1</source>
        <translation>cleaned %1</translation>
    </message>
    <message>
        <source>lokalizacja</source>
        <translation>location</translation>
    </message>
    <message>
        <source>ostatnio</source>
        <translation>last done</translation>
    </message>
    <message>
        <source>Żadna czujka nie wymaga czyszczenia przed %1.</source>
        <translation>No detector is due for cleaning before %1.</translation>
    </message>
    <message>
        <source>Do czyszczenia przed %1:</source>
        <translation>Due for cleaning before %1:</translation>
    </message>
    <message>
        <source>dlaczego</source>
        <translation>why</translation>
    </message>
    <message>
        <source>wymaga czyszczenia już teraz</source>
        <translation>needs cleaning now</translation>
    </message>
    <message>
        <source>Nie udało się odłożyć uszkodzonej historii badań %1: %2</source>
        <translation>The damaged survey history %1 could not be set aside: %2</translation>
    </message>
    <message>
        <source>Uszkodzona historia badań %1 została odłożona jako %2; zaczyna się nowa.</source>
        <translation>The damaged survey history %1 was set aside as %2; a new one begins.</translation>
    </message>
    <message>
        <source>Aby odłożyć uszkodzony plik i zacząć nową historię badań, uruchom program z opcją --set-aside-damaged-history.</source>
        <translation>To set the damaged file aside and begin a new survey history, run the program with --set-aside-damaged-history.</translation>
    </message>
    <message>
        <source>Odrzucono plik %1: %2</source>
        <translation>File %1 refused: %2</translation>
    </message>
    <message>
        <source>Przeczytane pliki: %1, dodane badania: %2, już znane: %3, odrzucone pliki: %4.</source>
        <translation>Files read: %1, surveys added: %2, already known: %3, files refused: %4.</translation>
    </message>
    <message>
        <source>Nie udało się zapisać historii do pliku %1: %2</source>
        <translation>Could not write the history to file %1: %2</translation>
    </message>
    <message>
        <source>brak listy %1</source>
        <translation>no list %1</translation>
    </message>
    <message>
        <source>%1, wpis nr %2: brak pola albo pole w złej postaci</source>
        <translation>%1, entry %2: a field is missing or malformed</translation>
    </message>
    <message>
        <source>plik historii w wersji %1, a to narzędzie czyta tylko wersję %2</source>
        <translation>history file version %1; this tool reads only version %2</translation>
    </message>
    <message>
        <source>brak pola %1</source>
        <translation>no field %1</translation>
    </message>
    <message>
        <source>%1, wpis nr %2: badania %3 nie ma w pliku</source>
        <translation>%1, entry %2: survey %3 is not in the file</translation>
    </message>
    <message>
        <source>historia badań nie przyjęła wpisu: %1</source>
        <translation>the survey history did not take the entry: %1</translation>
    </message>
    <message>
        <source>importować można raporty CSV i JSON tego narzędzia oraz pliki jego historii (.json)</source>
        <translation>only this tool's CSV and JSON reports and its history files (.json) can be imported</translation>
    </message>
    <message>
        <source>plik jest za duży na plik historii tego narzędzia</source>
        <translation>the file is too large for a history file of this tool</translation>
    </message>
    <message>
        <source>nie ma takiego pliku ani folderu</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>Identyfikator badania: %1</source>
        <translation>Survey ID: %1</translation>
    </message>
    <message>
        <source>Linia: %1</source>
        <translation>Line: %1</translation>
    </message>
    <message>
        <source>miejsce</source>
        <translation>location</translation>
    </message>
    <message>
        <source>identyfikator badania nie ma postaci UUID</source>
        <translation>the survey ID is not a UUID</translation>
    </message>
    <message>
        <source>Linia:</source>
        <translation>Line:</translation>
    </message>
    <message>
        <source>Historia</source>
        <translation>History</translation>
    </message>
    <message>
        <source>&amp;Obiekt:</source>
        <translation>&amp;Site:</translation>
    </message>
    <message>
        <source>&amp;Linia:</source>
        <translation>&amp;Line:</translation>
    </message>
    <message>
        <source>Lo&amp;kalizacja:</source>
        <translation>Lo&amp;cation:</translation>
    </message>
    <message>
        <source>&amp;Typ:</source>
        <translation>&amp;Type:</translation>
    </message>
    <message>
        <source>&amp;Numer seryjny:</source>
        <translation>Serial &amp;number:</translation>
    </message>
    <message>
        <source>Zainstalo&amp;wana:</source>
        <translation>Installe&amp;d:</translation>
    </message>
    <message>
        <source>&amp;Zapisz opis</source>
        <translation>&amp;Save description</translation>
    </message>
    <message>
        <source>&amp;Czynność:</source>
        <translation>&amp;Action:</translation>
    </message>
    <message>
        <source>&amp;Uwaga:</source>
        <translation>N&amp;ote:</translation>
    </message>
    <message>
        <source>Zapisz cz&amp;ynność</source>
        <translation>Save act&amp;ion</translation>
    </message>
    <message>
        <source>Do czyszczenia &amp;przed:</source>
        <translation>Due for cleaning &amp;before:</translation>
    </message>
    <message>
        <source>prognoza przed tą datą</source>
        <translation>forecast before this date</translation>
    </message>
    <message>
        <source>przedział prognozy zaczyna się przed tą datą</source>
        <translation>forecast interval begins before this date</translation>
    </message>
    <message>
        <source>Zmiana nie została zapisana w historii badań %1: %2 (%3).</source>
        <translation>The change was not saved in the survey history %1: %2 (%3).</translation>
    </message>
    <message>
        <source>powód</source>
        <translation>reason</translation>
    </message>
    <message>
        <source>%1, adres %2</source>
        <translation>%1, address %2</translation>
    </message>
    <message>
        <source>Historia obiektu %1</source>
        <translation>History of site %1</translation>
    </message>
    <message>
        <source>Do czyszczenia przed %1</source>
        <translation>Due for cleaning before %1</translation>
    </message>
    <message>
        <source>Żadna czujka nie jest do czyszczenia przed tym dniem.</source>
        <translation>No detector is due for cleaning before this day.</translation>
    </message>
    <message>
        <source>Poziomy czujek od pierwszego badania</source>
        <translation>Detector levels since the first survey</translation>
    </message>
    <message>
        <source>Wymieniony</source>
        <translation>Replaced</translation>
    </message>
    <message>
        <source>Oczyszczony</source>
        <translation>Cleaned</translation>
    </message>
    <message>
        <source>brak zapisanych poziomów</source>
        <translation>no levels recorded</translation>
    </message>
    <message>
        <source>Plik historii badań %1 jest uszkodzony (%2). Odłożyć go pod inną nazwą i zacząć nową historię? Uszkodzony plik zostanie zachowany.</source>
        <translation>The survey history file %1 is damaged (%2). Set it aside under another name and start a new history? The damaged file will be kept.</translation>
    </message>
    <message>
        <source>Nie udało się odłożyć pliku %1: %2</source>
        <translation>Could not set the file %1 aside: %2</translation>
    </message>
    <message>
        <source>Datę instalacji wpisz jako RRRR-MM-DD, np. 2024-05-31.</source>
        <translation>Enter the installation date as YYYY-MM-DD, e.g. 2024-05-31.</translation>
    </message>
    <message>
        <source>lokalizacja: %1</source>
        <translation>location: %1</translation>
    </message>
    <message>
        <source>&amp;Importuj raporty…</source>
        <translation>&amp;Import reports…</translation>
    </message>
    <message>
        <source>Importuj &amp;folder…</source>
        <translation>Import &amp;folder…</translation>
    </message>
    <message>
        <source>Raporty i pliki historii kvr27dust32 (*.csv *.json)</source>
        <translation>kvr27dust32 reports and history files (*.csv *.json)</translation>
    </message>
    <message>
        <source>Importuj raporty do historii badań</source>
        <translation>Import reports into the survey history</translation>
    </message>
    <message>
        <source>Importuj folder do historii badań</source>
        <translation>Import a folder into the survey history</translation>
    </message>
    <message>
        <source>Importowanie do historii badań…</source>
        <translation>Importing into the survey history…</translation>
    </message>
    <message>
        <source>Historia badań %1 nie zna badania %2.</source>
        <translation>The survey history %1 holds no survey %2.</translation>
    </message>
    <message>
        <source>Badanie %1 należy teraz do obiektu %2, %3.</source>
        <translation>Survey %1 now belongs to site %2, %3.</translation>
    </message>
    <message>
        <source>Badania bez obiektu (obiekt nadaje --place-survey ID OBIEKT):</source>
        <translation>Surveys without a site (--place-survey ID SITE gives one):</translation>
    </message>
    <message>
        <source>identyfikator</source>
        <translation>identifier</translation>
    </message>
    <message>
        <source>data badania</source>
        <translation>survey date</translation>
    </message>
    <message>
        <source>Bez porównania</source>
        <translation>No comparison</translation>
    </message>
    <message>
        <source>raport dotyczy obiektu &quot;%1&quot;, a to badanie obiektu &quot;%2&quot;</source>
        <translation>the report is of the site &quot;%1&quot;, and this survey of the site &quot;%2&quot;</translation>
    </message>
    <message>
        <source>to nie jest zwykły plik</source>
        <translation>this is not a regular file</translation>
    </message>
    <message>
        <source>za krótki odstęp</source>
        <translation>interval too short</translation>
    </message>
    <message>
        <source>CSV ze średnikami, dla arkusza z przecinkiem dziesiętnym (*.csv)</source>
        <translation>CSV with semicolons, for a spreadsheet with a decimal comma (*.csv)</translation>
    </message>
    <message>
        <source>Raport dotyczy obiektu &quot;%1&quot;, a to badanie obiektu &quot;%2&quot;. Porównać mimo to?</source>
        <translation>The report is of the site &quot;%1&quot;, and this survey of the site &quot;%2&quot;. Compare them anyway?</translation>
    </message>
    <message>
        <source>Nie można pokazać okna: żaden ekran nie odpowiada (zmienna DISPLAY). Badanie bez okna: --survey; pomoc: --help.</source>
        <translation>Cannot show the window: no display answers (the DISPLAY variable). A survey without a window: --survey; help: --help.</translation>
    </message>
    <message>
        <source>to raport linii symulowanej (programu demonstracyjnego), nie badanie prawdziwych czujek</source>
        <translation>this is a report of the simulated line (the demo program), not a survey of real detectors</translation>
    </message>
    <message>
        <source>LINIA SYMULOWANA: raport programu demonstracyjnego, nie badanie prawdziwych czujek</source>
        <translation>SIMULATED LINE: a report of the demo program, not a survey of real detectors</translation>
    </message>
    <message>
        <source>linia symulowana</source>
        <translation>simulated line</translation>
    </message>
    <message>
        <source>Zapisz diagnostykę…</source>
        <translation>Save diagnostics…</translation>
    </message>
    <message>
        <source>Nie udało się zapisać diagnostyki do pliku %1: %2</source>
        <translation>Could not save the diagnostics to the file %1: %2</translation>
    </message>
    <message>
        <source>Diagnostykę zapisano do pliku %1.</source>
        <translation>The diagnostics were saved to the file %1.</translation>
    </message>
    <message>
        <source>Raport zapisano: %1.</source>
        <translation>Report saved: %1.</translation>
    </message>
</context>
</TS>
