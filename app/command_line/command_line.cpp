#include "app/command_line/command_line.h"

#include <QCommandLineOption>

void build_command_line(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QString::fromUtf8(
        "Narzędzie serwisowe czujek pyłowych KVR27. Bez opcji otwiera okno.\n"
        "Z --survey bada linię (adresy 0–31) bez okna, wypisuje tabelę na standardowe wyjście, a komunikaty "
        "na standardowe wyjście błędów.\n"
        "Kod wyjścia: 0 – każda obecna czujka czysta albo średnio zabrudzona; 1 – co najmniej jedna wymaga "
        "czyszczenia, ma nasycony odbiornik albo nieznany poziom; 2 – nie udało się otworzyć dongla albo start "
        "linii się nie powiódł; 3 – błędny wiersz poleceń, nie udało się wczytać raportu do porównania albo "
        "zapisać raportu."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {option_name::survey, QString::fromUtf8("Bada linię bez otwierania okna.")},
        {option_name::cl, QString::fromUtf8("Parametr CL zapytań do czujek, od 1 do 16 (domyślnie 4)."),
         QStringLiteral("N")},
        {option_name::report,
         QString::fromUtf8("Zapisuje raport badania do pliku; format wg rozszerzenia: .csv, .json albo .pdf."),
         QString::fromUtf8("PLIK")},
        {option_name::site, QString::fromUtf8("Nazwa obiektu w raporcie."), QString::fromUtf8("TEKST")},
        {option_name::technician, QString::fromUtf8("Serwisant w raporcie."), QString::fromUtf8("TEKST")},
        {option_name::compare,
         QString::fromUtf8("Porównuje z wcześniejszym raportem tego narzędzia (.json albo .csv)."),
         QString::fromUtf8("PLIK")},
    });
}

bool wants_command_line(const QStringList& arguments)
{
    QCommandLineParser parser;
    build_command_line(parser);
    // An unknown option is left to the window's toolkit here (its own
    // options such as -platform); what the tool knows decides.
    parser.parse(arguments);
    const QStringList without_window = {
        QStringLiteral("help"), QStringLiteral("help-all"), QStringLiteral("version"), option_name::survey,
        option_name::cl,        option_name::report,        option_name::site,         option_name::technician,
        option_name::compare};
    for (const QString& name : without_window)
        if (parser.isSet(name))
            return true;
    return false;
}
