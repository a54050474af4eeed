#include "language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Every text of the window stands in one translation context, so that a
// text written once in window_texts.h and used by several handlers is
// translated once.
constexpr const char* context = "TForm_main";

// Built into the program from app/translations by qt_add_translations.
const QString english_program_texts = QStringLiteral(":/i18n/kvr27dust32_en.qm");

QPointer<QTranslator> program_translator;
QPointer<QTranslator> toolkit_translator;

void replace(QPointer<QTranslator>& installed, QTranslator* replacement)
{
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    installed = replacement;
    if (replacement != nullptr)
        QCoreApplication::installTranslator(replacement);
}

} // namespace

Window_language language_of_locale(const QLocale& locale)
{
    const QStringList asked = locale.uiLanguages();
    if (asked.isEmpty())
        return Window_language::english;
    return QLocale(asked.first()).language() == QLocale::Polish ? Window_language::polish : Window_language::english;
}

std::optional<Window_language> language_named(const QString& name)
{
    if (name == QLatin1String("pl"))
        return Window_language::polish;
    if (name == QLatin1String("en"))
        return Window_language::english;
    return std::nullopt;
}

Language_setup use_language(Window_language language)
{
    Language_setup setup;
    QTranslator* program = nullptr;
    if (language == Window_language::english) {
        program = new QTranslator(QCoreApplication::instance());
        setup.program_texts = program->load(english_program_texts);
    }
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    const QString toolkit_name =
        language == Window_language::polish ? QStringLiteral("qtbase_pl") : QStringLiteral("qtbase_en");
    // Qt's translations folder where Qt is installed; built into the program
    // where Qt is linked in.
    setup.toolkit_texts = toolkit->load(toolkit_name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
                          toolkit->load(toolkit_name, QStringLiteral(":/i18n"));
    replace(program_translator, setup.program_texts ? program : nullptr);
    replace(toolkit_translator, setup.toolkit_texts ? toolkit : nullptr);
    if (!setup.program_texts)
        delete program;
    if (!setup.toolkit_texts)
        delete toolkit;
    return setup;
}

QString window_text(const char* polish)
{
    return QCoreApplication::translate(context, polish);
}

std::string window_words(const char* polish)
{
    return window_text(polish).toStdString();
}
