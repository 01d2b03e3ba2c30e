// Saves the files named on its command line over and over, each time whole, just under the
// clock's 1 MiB read limit and with other bytes, until it is killed: a clock killed while it
// saves. Says "saving" once it has begun; with --once first, saves each file once and ends.
#include "platform/WholeFile.h"

#include <QFile>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
    if (!once) {
        std::fputs("saving\n", stdout);
        std::fflush(stdout);
    }
    for (int round = 0; !once || round < 1; ++round)
        for (int i = once ? 2 : 1; i < argc; ++i)
            platform::saveWholeFile(QFile::decodeName(argv[i]),
                                    "[Junk]\nk=" + QByteArray((1 << 20) - 64, char('a' + round % 26)) + "\n");
}
