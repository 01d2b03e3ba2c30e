// Shows a character on the desktop and has it speak, to look at characters and voices by hand;
// not installed. With a time given, it quits that long after its first frame is on screen, and
// says how many rectangles the window's outline took.
//   character_demo FOLDER FILE.acs X Y "text to speak" [milliseconds before quitting]
#include "character/CharacterWindow.h"
#include "character/DesktopCharacters.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s FOLDER FILE.acs X Y TEXT [MS]\n", argv[0]);
        return 2;
    }
    character::DesktopCharacters characters({QString::fromLocal8Bit(argv[1])},
                                            std::make_unique<character::EspeakSpeech>());
    const QString name = QStringLiteral("demo");
    try {
        characters.Load(name, QString::fromLocal8Bit(argv[2]));
    } catch (const character::CharacterLoadError& e) {
        std::fprintf(stderr, "cannot load the character: %s\n", e.what());
        return 1;
    }
    QObject::connect(&characters, &character::CharacterService::Move, [](const QString&, int x, int y, int) {
        std::printf("moved to %d, %d\n", x, y);
        std::fflush(stdout);
    });
    character::AgentCharacter& character = characters.Character(name);
    character.setLeft(std::atoi(argv[3]));
    character.setTop(std::atoi(argv[4]));
    character.Show(false);
    character.Speak(QString::fromLocal8Bit(argv[5]), QString());
    character.setBalloonVisible(false);
    if (argc > 6) {
        const int ms = std::atoi(argv[6]);
        QTimer look;
        look.setInterval(20);
        QObject::connect(&look, &QTimer::timeout, [&] {
            // The pictures are read aside: the window comes when they are in.
            const character::DesktopCharacter* loaded = characters.loaded(name);
            const character::CharacterWindow* window = loaded ? loaded->window() : nullptr;
            if (!window || !window->isVisible() || window->frame().isNull())
                return;
            look.stop();
            std::printf("outline of %d rectangles\n", int(window->shape().rectCount()));
            std::fflush(stdout);
            QTimer::singleShot(ms, &app, &QApplication::quit);
        });
        look.start();
        return app.exec();
    }
    return app.exec();
}
