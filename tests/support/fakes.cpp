#include "support/fakes.h"

#include <QWidget>

QStringList PlayerLog::of(const QString& window) const {
    QStringList result;
    const QString prefix = window + QStringLiteral(": ");
    for (const QString& call : calls) {
        if (call.startsWith(prefix)) {
            result << call.mid(prefix.size());
        }
    }
    return result;
}

RecordingPlayer::RecordingPlayer(PlayerLog& log, QString window)
    : log_(log), window_(std::move(window)) {
    note(QStringLiteral("created"));
}

RecordingPlayer::~RecordingPlayer() {
    note(QStringLiteral("destroyed"));
}

void RecordingPlayer::note(const QString& call) {
    log_.calls << window_ + QStringLiteral(": ") + call;
}

static QString flag(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void RecordingPlayer::Stop() {
    note(QStringLiteral("Stop"));
}

void RecordingPlayer::Init(qint32 sampleRate) {
    note(QStringLiteral("Init(%1)").arg(sampleRate));
}

void RecordingPlayer::LoadMusic(const QString& path) {
    note(QStringLiteral("LoadMusic(%1)").arg(path));
}

void RecordingPlayer::PlayMusic(bool loop) {
    note(QStringLiteral("PlayMusic(%1)").arg(flag(loop)));
}

void RecordingPlayer::PlaySound(const QString& path, bool value) {
    note(QStringLiteral("PlaySound(%1, %2)").arg(path, flag(value)));
}

void RecordingPlayer::Pause() {
    note(QStringLiteral("Pause"));
}

void RecordingPlayer::Resume() {
    note(QStringLiteral("Resume"));
}

void RecordingPlayer::setVolume(qint32 value) {
    note(QStringLiteral("Volume = %1").arg(value));
}

void RecordingAnnouncer::announce(QWidget* window, const QString& text) {
    said << (window ? window->objectName() : QString()) + QStringLiteral(": ") + text;
}

QString RecordingAnnouncer::last() const {
    return said.isEmpty() ? QStringLiteral("(nothing said)") : said.last();
}

QString ScriptedDialogs::askText(QWidget*, const QString& caption, const QString& prompt) {
    questions << caption + QLatin1Char('|') + prompt;
    if (answers.empty()) {
        return QString();
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text) {
    messages << caption + QLatin1Char('|') + text;
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& caption, const QString& question) {
    yesNoQuestions << caption + QLatin1Char('|') + question;
    if (yesNo.empty()) {
        return false;
    }
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}
