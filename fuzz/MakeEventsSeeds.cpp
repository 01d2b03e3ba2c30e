// Writes the seed corpus of the Events.dta fuzzer: files as the program itself writes them.
#include "events/EventsFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    using namespace events;
    std::vector<EventsFileContent> seeds;
    seeds.push_back({{}, vsIcon});
    seeds.push_back({{}, vsReport});
    EventRecord row;
    row.Name = QStringLiteral("Tea");
    row.SubTexts = {QStringLiteral("03/02/2026"), QStringLiteral("2:00:00 PM"),
                    QStringLiteral("One Time"),   QStringLiteral("Message Box"),
                    QStringLiteral("Veskel"),     QStringLiteral("Go"),
                    QStringLiteral("T"),          QString()};
    seeds.push_back({{row}, vsSmallIcon});
    EventRecord hourly = row;
    hourly.Name = QString::fromUtf8("Stündlich ☕");
    hourly.text(TimeText) = QStringLiteral("xx:05:30");
    hourly.text(ScheduleName) = QStringLiteral("Hourly");
    hourly.text(RunWindow) = QStringLiteral("3");
    hourly.text(FileText) = QString(300, u'm');
    seeds.push_back({{row, hourly, row}, vsList});
    for (size_t i = 0; i < seeds.size(); ++i) {
        QFile file(folder + QStringLiteral("/seed%1.dta").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(writeEventsFile(seeds[i])) < 0)
            return 1;
    }
    return 0;
}
