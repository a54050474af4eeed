// The language of the tool's texts, in the window, on the command line and
// in the reports: Polish, the language they are written in, or English from
// the translation built into the program. Qt's own
// texts (the buttons of a message box, an edit's context menu) follow it.
// The diagnostic log and the few English messages of the start run and the
// service commands are the same in both.
#pragma once

#include <QString>

#include <optional>
#include <string>

class QLocale;

enum class Language { polish, english };

// Polish when the first language the locale's user interface asks for is
// Polish, English for any other.
Language language_of_locale(const QLocale& locale);

// "pl" or "en"; nothing for any other name.
std::optional<Language> language_named(const QString& name);

// What `use_language` found: the program's own English texts (built in),
// and Qt's translation of its own texts (from Qt's translations folder).
struct Language_setup {
    bool program_texts = false;
    bool toolkit_texts = false;
};

// Installs the translations of `language` on the running application in
// place of those installed before. Polish needs none of the program's own.
Language_setup use_language(Language language);

// A text in `language` before any application exists, for a message of
// the program's start; from the same translation as the rest.
QString text_before_start(Language language, const char* polish);

// The language `use_language` last installed; Polish before it is called.
Language language_in_use();

// A text in the language in use; `polish` is its source text, marked for
// the translators where it is written. A text the translation does not hold
// is shown as it is.
QString translated_text(const char* polish);
// The same as a standard string, the `Translate` function that the code
// free of Qt (records, comparison, summary, workflows) is given.
std::string translated_words(const char* polish);
