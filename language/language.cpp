#include "language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Every text of the tool stands in one translation context, so that a text
// written once in survey/texts.h and used in several places is translated
// once.
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

Language language_of_locale(const QLocale& locale)
{
    const QStringList asked = locale.uiLanguages();
    if (asked.isEmpty())
        return Language::english;
    return QLocale(asked.first()).language() == QLocale::Polish ? Language::polish : Language::english;
}

std::optional<Language> language_named(const QString& name)
{
    if (name == QLatin1String("pl"))
        return Language::polish;
    if (name == QLatin1String("en"))
        return Language::english;
    return std::nullopt;
}

namespace {
Language installed_language = Language::polish;
}

Language_setup use_language(Language language)
{
    installed_language = language;
    Language_setup setup;
    QTranslator* program = nullptr;
    if (language == Language::english) {
        program = new QTranslator(QCoreApplication::instance());
        setup.program_texts = program->load(english_program_texts);
    }
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    const QString toolkit_name =
        language == Language::polish ? QStringLiteral("qtbase_pl") : QStringLiteral("qtbase_en");
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

QString text_before_start(Language language, const char* polish)
{
    if (language == Language::english) {
        QTranslator translator;
        if (translator.load(english_program_texts))
            if (const QString translated = translator.translate(context, polish); !translated.isEmpty())
                return translated;
    }
    return QString::fromUtf8(polish);
}

Language language_in_use()
{
    return installed_language;
}

QString translated_text(const char* polish)
{
    return QCoreApplication::translate(context, polish);
}

std::string translated_words(const char* polish)
{
    return translated_text(polish).toStdString();
}
