// Reads a translation file (.ts) and lists the texts that have no finished
// translation, the ones no longer in the sources, and translations that lost a
// %1-style place marker of their source text (the game would then show the
// marker's value nowhere, or a stray "%2"). Exits with 1 when a text is missing
// or broken, unless --report is given; obsolete texts only get listed.
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <cstdio>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

QSet<QString> markers(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (const auto& match : marker.globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool report = args.contains(QStringLiteral("--report"));
    const QStringList files = QStringList(args).filter(QRegularExpression(QStringLiteral("^[^-]")));
    if (files.size() != 1) {
        std::fprintf(stderr, "usage: norppala_tscheck [--report] FILE.ts\n");
        return 2;
    }
    QFile file(files.first());
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(file.fileName()),
                     qPrintable(file.errorString()));
        return 2;
    }

    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            Message message{context, {}, {}, {}};
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("source")) {
                    message.source = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    message.type = xml.attributes().value(QLatin1String("type")).toString();
                    message.translation = xml.readElementText();
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.append(message);
        }
    }
    if (xml.hasError()) {
        std::fprintf(stderr, "%s: %s at line %lld\n", qPrintable(file.fileName()),
                     qPrintable(xml.errorString()), static_cast<long long>(xml.lineNumber()));
        return 2;
    }

    int missing = 0;
    int broken = 0;
    int obsolete = 0;
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(": \"") + oneLine(m.source) + '"';
        if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete")) {
            std::printf("obsolete (no longer in the sources): %s\n", qPrintable(where));
            ++obsolete;
        } else if (m.type == QLatin1String("unfinished") || m.translation.isEmpty()) {
            std::printf("untranslated: %s\n", qPrintable(where));
            ++missing;
        } else if (markers(m.source) != markers(m.translation)) {
            std::printf("place markers differ: %s\n", qPrintable(where));
            ++broken;
        }
    }
    std::printf("%s: %lld texts, %d untranslated, %d with wrong place markers, %d obsolete\n",
                qPrintable(file.fileName()), static_cast<long long>(messages.size() - obsolete),
                missing, broken, obsolete);
    return report || (missing == 0 && broken == 0) ? 0 : 1;
}
