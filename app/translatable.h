// Marks a Polish text for the window's translators: lupdate finds the mark,
// the program gets the text as it stands. The definition is Qt's own, so
// code free of Qt (the workflows and their texts) marks its texts the way
// the window does.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
