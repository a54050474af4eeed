// The language of the window: Polish, the language its texts are written
// in, or English from the translation built into the program. Qt's own
// texts (the buttons of a message box, an edit's context menu) follow it.
// The diagnostic log and the few English messages of the start run and the
// service commands are the same in both.
#pragma once

#include <QString>

#include <optional>
#include <string>

class QLocale;

enum class Window_language { polish, english };

// Polish when the first language the locale's user interface asks for is
// Polish, English for any other.
Window_language language_of_locale(const QLocale& locale);

// "pl" or "en"; nothing for any other name.
std::optional<Window_language> language_named(const QString& name);

// What `use_language` found: the program's own English texts (built in),
// and Qt's translation of its own texts (from Qt's translations folder).
struct Language_setup {
    bool program_texts = false;
    bool toolkit_texts = false;
};

// Installs the translations of `language` on the running application in
// place of those installed before. Polish needs none of the program's own.
Language_setup use_language(Window_language language);

// A text of the window in the language in use; `polish` is its source text,
// marked for the translators where it is written. A text the translation
// does not hold is shown as it is.
QString window_text(const char* polish);
// The same for the workflows' texts, which know no Qt.
std::string window_words(const char* polish);
