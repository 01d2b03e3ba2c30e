#pragma once

#include <QByteArray>

namespace character::acs {

// Unpacks the bit-stream compression of character files: a leading zero byte, then bits read
// least significant first, where 0 starts a literal byte and 1 a copy of earlier output (an
// offset in one of four sizes and a length), until the end mark. The result must come out at
// exactly `expectedSize` bytes; anything else (a copy from before the start, a stream that runs
// out, too much or too little output) throws AcsError.
QByteArray decompress(const QByteArray& packed, qsizetype expectedSize);

} // namespace character::acs
