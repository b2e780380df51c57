#include "game/captionstrip.h"

#include "core/captions.h"
#include "platform/accessibility.h"
#include "platform/look.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <numeric>

namespace captionLook {

QFont font() {
    return look::arial(kPoints, true);
}

QRect band(const QRect& lake, const QFontMetrics& metrics) {
    const int height = kLines * metrics.lineSpacing() + 2 * kPadding;
    return {lake.left(), lake.bottom() + 1 - height, lake.width(), height};
}

} // namespace captionLook

CaptionStrip::CaptionStrip(QWidget* parent, Captions& captions, const QRect& lake)
    : QWidget(parent), captions_(captions) {
    setObjectName(QStringLiteral("tekstitys"));
    setFont(captionLook::font());
    setGeometry(captionLook::band(lake, fontMetrics()));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // A screen reader already hears every caption as an announcement.
    markDecoration(this);
    hide();
    connect(&captions_, &Captions::changed, this, &CaptionStrip::refresh);
}

QStringList CaptionStrip::wrap(const QString& text) const {
    // Each text as wrapped at one width and type, kept from game to game: the
    // same few captions come again and again, and measuring words is slow.
    static struct {
        int room = -1;
        int pixels = -1;
        QHash<QString, QStringList> lines;
    } wrapped;
    // The strip's type differs from one zoom to the next only in its size.
    const int room = width() - 2 * captionLook::kPadding;
    const int pixels = fontMetrics().height();
    if (wrapped.room != room || wrapped.pixels != pixels) {
        wrapped = {room, pixels, {}};
    } else if (const auto known = wrapped.lines.constFind(text); known != wrapped.lines.cend()) {
        return *known;
    }
    const QFontMetrics metrics = fontMetrics();
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        // Most captions are one short line: measured once, as a whole.
        if (metrics.horizontalAdvance(paragraph) <= room) {
            lines << paragraph.simplified();
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || metrics.horizontalAdvance(longer) <= room) {
                line = longer;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << metrics.elidedText(line, Qt::ElideRight, room);
    }
    // Every catch's weight makes a text of its own: kept few, the texts that
    // come again stay known and the memory stays flat from game to game.
    if (wrapped.lines.size() >= 64) {
        wrapped.lines.clear();
    }
    wrapped.lines.insert(text, lines);
    return lines;
}

void CaptionStrip::refresh() {
    setVisible(captions_.on());
    if (!stale_) {
        stale_ = true;
        update();
    }
}

const QStringList& CaptionStrip::lines() const {
    layOut();
    return lines_;
}

void CaptionStrip::layOut() const {
    if (!stale_) {
        return;
    }
    stale_ = false;
    QList<Caption> chosen;
    QList<QStringList> wrapped;
    int room = captionLook::kLines;
    if (captions_.on()) {
        for (const Caption& caption : captions_.showing()) {
            if (room == 0) {
                break;
            }
            // A caption longer than the room left shows its first lines; the
            // angler's muttering shows whole or waits for room.
            const QStringList all = wrap(caption.text);
            if (caption.kind == CaptionKind::Chatter && all.size() > room) {
                continue;
            }
            const QStringList lines = all.mid(0, room);
            room -= static_cast<int>(lines.size());
            chosen << caption;
            wrapped << lines;
        }
    }
    // The newest at the bottom, next to where the eye reads on.
    QList<int> order(chosen.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&chosen](int a, int b) { return chosen[a].at < chosen[b].at; });
    lines_.clear();
    hintLines_.clear();
    for (int i : order) {
        for (const QString& line : wrapped[i]) {
            lines_ << line;
            hintLines_ << (chosen[i].kind == CaptionKind::Hint);
        }
    }
}

void CaptionStrip::paintEvent(QPaintEvent*) {
    layOut();
    if (lines_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const int bandHeight = static_cast<int>(lines_.size()) * lineHeight + 2 * captionLook::kPadding;
    painter.fillRect(QRect(0, height() - bandHeight, width(), bandHeight), QColor(0, 0, 40, 170));
    int y = height() - bandHeight + captionLook::kPadding;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        painter.setPen(hintLines_[i] ? look::yellow : QColor(Qt::white));
        painter.drawText(
            QRect(captionLook::kPadding, y, width() - 2 * captionLook::kPadding, lineHeight),
            Qt::AlignHCenter | Qt::AlignVCenter, lines_[i]);
        y += lineHeight;
    }
}
