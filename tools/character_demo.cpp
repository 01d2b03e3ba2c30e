// Shows a character on the desktop and has it speak, to look at characters and voices by hand;
// not installed.
//   character_demo FOLDER FILE.acs X Y "text to speak" [milliseconds before quitting]
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
    if (argc > 6)
        QTimer::singleShot(std::atoi(argv[6]), &app, &QApplication::quit);
    return app.exec();
}
