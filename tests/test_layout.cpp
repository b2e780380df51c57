#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The folders lean on each other one way only: core on nothing of the game's
// own, platform on core, a window folder on platform and core, and app on
// them all. A wrong include would tie a lower folder to a higher one (or one
// window to another) and the libraries with it. Nor does a window open or
// close windows through the registry: that is the screen flow's (app/).

namespace {

const QStringList kWindowFolders{"game", "menu", "setup", "results"};

// The folders a file in `folder` must not include from.
QStringList forbiddenFor(const QString& folder) {
    if (folder == "core") {
        return QStringList{"platform", "app"} + kWindowFolders;
    }
    if (folder == "platform") {
        return QStringList{"app"} + kWindowFolders;
    }
    if (kWindowFolders.contains(folder)) {
        QStringList others = kWindowFolders;
        others.removeAll(folder);
        return others << "app";
    }
    return {};
}

// Every include that breaks the rule, as "core/x.cpp includes platform/y.h",
// and every window file that shows, loads or unloads a window itself.
QStringList layoutViolations(const QString& root) {
    static const QRegularExpression include(R"(^\s*#\s*include\s*"([a-z]+)/([^"]+)\")",
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression registryCall(R"(forms\(\)\s*\.\s*(show|get|unload)\b)");
    QStringList found;
    for (const QString& folder : QStringList{"core", "platform"} + kWindowFolders) {
        const QStringList forbidden = forbiddenFor(folder);
        QDirIterator files(QDir(root).filePath(folder), {"*.h", "*.cpp"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                found << path + " cannot be read";
                continue;
            }
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = include.globalMatch(text); match.hasNext();) {
                const auto hit = match.next();
                if (forbidden.contains(hit.captured(1))) {
                    found << QDir(root).relativeFilePath(path) + " includes " + hit.captured(1) +
                                 "/" + hit.captured(2);
                }
            }
            if (kWindowFolders.contains(folder) && text.contains(registryCall)) {
                found << QDir(root).relativeFilePath(path) + " opens or closes windows itself";
            }
        }
    }
    found.sort();
    return found;
}

void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(Layout, FoldersLeanOneWayAndNoWindowOpensAnother) {
    const QStringList violations = layoutViolations(QStringLiteral(NORPPALA_SOURCE_DIR));
    EXPECT_TRUE(violations.isEmpty()) << violations.join('\n').toStdString();
    // The scan did read the tree: the game window's own includes are there to be seen.
    EXPECT_TRUE(QFile::exists(QStringLiteral(NORPPALA_SOURCE_DIR "/game/peli.cpp")));
}

TEST(Layout, TheCheckFindsWrongWayIncludesAndWindowsThatOpenWindows) {
    QTemporaryDir tree;
    const QString root = tree.path();
    write(root + "/core/rules.cpp", "#include \"core/rules.h\"\n#include \"platform/form.h\"\n");
    write(root + "/core/deep/more.h", "#  include \"app/program.h\"\n");
    write(root + "/platform/form.cpp",
          "#include \"core/clock.h\"\n#include \"platform/look.h\"\n#include \"game/peli.h\"\n");
    write(root + "/menu/menu.cpp",
          "#include \"platform/form.h\"\n#include \"results/ennatykset.h\"\n#include <QLabel>\n");
    write(root + "/game/peli.cpp", "#include \"core/fishinggame.h\"\n#include \"game/peli.h\"\n");
    write(root + "/setup/aloita.cpp",
          "void Aloita::go() {\n    forms().show(windowName::peli);\n}\n");
    write(root + "/platform/registry.cpp", "void Forms::close() {\n    forms().unload(name);\n}\n");
    write(root + "/app/program.cpp", "#include \"menu/menu.h\"\n#include \"game/peli.h\"\n");
    EXPECT_EQ(layoutViolations(root),
              (QStringList{"core/deep/more.h includes app/program.h",
                           "core/rules.cpp includes platform/form.h",
                           "menu/menu.cpp includes results/ennatykset.h",
                           "platform/form.cpp includes game/peli.h",
                           "setup/aloita.cpp opens or closes windows itself"}));
}
