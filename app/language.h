#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTranslator;

// The languages the game speaks. Finnish is the one its texts are written in;
// English comes from the translation built into the program.
enum class Language { Finnish, English };

// The language asked for with `--lang fi`, `--lang en` (or `--lang=en`): empty
// when the option is absent. An unknown or missing value is an error, which
// answerCommandLine reports before the game starts.
struct LanguageOption {
    std::optional<Language> language;
    QString error;
};
LanguageOption languageOption(int argc, char* argv[]);

// The first of the player's languages (most preferred first, as "fi-FI") that
// the game speaks decides; a player whose languages it does not speak gets English.
Language systemLanguage(const QStringList& uiLanguages);

// Installs the texts of `language` on the application through `translator`,
// which must outlive every window. Finnish needs no translation. Returns false
// when the built-in English translation cannot be read.
bool useLanguage(Language language, QTranslator& translator);
