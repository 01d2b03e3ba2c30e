// Saves the files named on its command line over and over, each time whole and with other bytes,
// until it is killed: a clock killed while it saves. Says "saving" once it has begun.
#include "platform/WholeFile.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round)
        for (int i = 1; i < argc; ++i)
            platform::saveWholeFile(QFile::decodeName(argv[i]),
                                    QByteArray(256 * 1024, char('a' + round % 26)));
}
