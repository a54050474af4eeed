#include "history/store_problem_text.h"

namespace {

const char* kind_words(Store_problem::Kind kind)
{
    switch (kind) {
    case Store_problem::Kind::none:
    case Store_problem::Kind::cannot_open:
        return QT_TRANSLATE_NOOP("TForm_main", "nie można otworzyć pliku");
    case Store_problem::Kind::read_only:
        return QT_TRANSLATE_NOOP("TForm_main", "brak prawa zapisu do pliku");
    case Store_problem::Kind::not_a_store:
        return QT_TRANSLATE_NOOP("TForm_main", "plik nie jest historią badań tego programu i zostaje nietknięty");
    case Store_problem::Kind::newer_schema:
        return QT_TRANSLATE_NOOP("TForm_main", "plik zapisała nowsza wersja programu i zostaje nietknięty");
    case Store_problem::Kind::damaged:
        return QT_TRANSLATE_NOOP("TForm_main", "plik jest uszkodzony i zostaje nietknięty");
    case Store_problem::Kind::cannot_store:
        return QT_TRANSLATE_NOOP("TForm_main", "zapis się nie udał");
    }
    return "";
}

} // namespace

std::string survey_not_stored_text(const Store_problem& problem, const std::string& path, Translate words)
{
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Badanie nie zostało zapisane w historii badań %1: %2 (%3).")),
                {path, words(kind_words(problem.kind)), problem.reason});
}

std::string survey_history_unreadable_text(const Store_problem& problem, const std::string& path, Translate words)
{
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Nie udało się odczytać historii badań %1: %2 (%3).")),
                {path, words(kind_words(problem.kind)), problem.reason});
}

std::string history_change_not_stored_text(const Store_problem& problem, const std::string& path, Translate words)
{
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "Zmiana nie została zapisana w historii badań %1: %2 (%3).")),
                {path, words(kind_words(problem.kind)), problem.reason});
}
