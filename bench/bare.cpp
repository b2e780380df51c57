// The toolkit's bare minimum for comparison: one empty window of the menu's
// size that reports its first paint exactly as the game does.
#include "app/firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(299, 261);
    window.setWindowTitle(QStringLiteral("Norppala"));
    window.show();
    watchFirstPaint(&window);
    return app.exec();
}
