// Texts in the language of the front end that shows them. The Polish text
// is the source: a mark for the translators (lupdate finds it; the program
// gets the text as it stands), and a `Translate` function that gives it in
// the language in use. The marker's definition is Qt's own, so code free of
// Qt marks its texts the way the window does.
#pragma once

#include <initializer_list>
#include <string>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// A marked Polish text in, the text to show out.
using Translate = std::string (*)(const char* polish);

// Keeps the Polish as written.
std::string as_written(const char* polish);

// `pattern` with %1, %2, … replaced by `values` in order; a translation
// keeps the numbers where its language wants them.
std::string fill(const std::string& pattern, std::initializer_list<std::string> values);
