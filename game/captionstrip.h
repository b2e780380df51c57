#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>

class Captions;
class QFontMetrics;

// How captions look: one place for their type and the strip's size, so that
// the strip scales with everything else on the game screen.
namespace captionLook {
// At least 9 pt, so they read on the smallest game screen.
inline constexpr double kPoints = 9.75;
// The strip holds two lines at most.
inline constexpr int kLines = 2;
// Room round the text inside its band, in pixels.
inline constexpr int kPadding = 3;
QFont font();
// The strip's place: across the bottom of the lake, two lines tall.
QRect band(const QRect& lake, const QFontMetrics& metrics);
} // namespace captionLook

// The captions' strip over the bottom of the lake: the most pressing captions
// that fit in two lines, on a translucent dark band so they read on any water.
// Draws nothing while there is nothing to show, and is hidden while captions are off.
class CaptionStrip : public QWidget {
    Q_OBJECT
public:
    CaptionStrip(QWidget* parent, Captions& captions, const QRect& lake);

    // The lines showing now, top to bottom.
    const QStringList& lines() const;
    // The lines a caption's words take at the strip's width; a word too long
    // for a line is cut short.
    QStringList wrap(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The captions changed: the lines are worked out again when next drawn or asked for.
    void refresh();
    void layOut() const;

    Captions& captions_;
    mutable bool stale_ = false;
    mutable QStringList lines_;
    // Which of the lines are hints, drawn in their own colour.
    mutable QList<bool> hintLines_;
};
