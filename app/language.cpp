#include "app/language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstring>

namespace {

std::optional<Language> fromCode(const QString& code) {
    if (code == QLatin1String("fi")) {
        return Language::Finnish;
    }
    if (code == QLatin1String("en")) {
        return Language::English;
    }
    return std::nullopt;
}

} // namespace

LanguageOption languageOption(int argc, char* argv[]) {
    LanguageOption option;
    for (int i = 1; i < argc; ++i) {
        QString value;
        if (std::strcmp(argv[i], "--lang") == 0) {
            if (i + 1 >= argc) {
                return {std::nullopt, QStringLiteral("--lang needs a language: fi or en")};
            }
            value = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
            value = QString::fromLocal8Bit(argv[i] + 7);
        } else {
            continue;
        }
        option.language = fromCode(value);
        if (!option.language) {
            return {std::nullopt,
                    QStringLiteral("unknown language \"%1\" for --lang: fi or en").arg(value)};
        }
    }
    return option;
}

Language systemLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        if (const auto language = fromCode(QString(name)
                                               .replace(QLatin1Char('_'), QLatin1Char('-'))
                                               .section(QLatin1Char('-'), 0, 0)
                                               .toLower())) {
            return *language;
        }
    }
    return Language::English;
}

bool useLanguage(Language language, QTranslator& translator) {
    if (language == Language::Finnish) {
        return true;
    }
    if (!translator.load(QStringLiteral(":/translations/norppala_en.qm"))) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}
