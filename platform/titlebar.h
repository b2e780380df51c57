#pragma once

#include <QAbstractButton>
#include <QWidget>

// The title bar a window draws for itself where the toolkit would otherwise
// draw one (Wayland without the compositor's own decorations): the toolkit's
// bar offers a maximise button that a window of fixed size can never obey.
// This one has the icon, the caption, minimise and close, and moves the
// window when dragged.
class TitleBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit TitleBar(QWidget* window);

    QAbstractButton* minimiseButton() const { return minimise_; }
    QAbstractButton* closeButton() const { return close_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAbstractButton* minimise_;
    QAbstractButton* close_;
};
