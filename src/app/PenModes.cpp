#include "app/PenModes.h"

namespace app {

QPainter::CompositionMode compositionModeFor(int penMode)
{
    switch (penMode) {
    case pmBlack:
        return QPainter::RasterOp_ClearDestination;
    case pmWhite:
        return QPainter::RasterOp_SetDestination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case pmCopy:
    case pmNop:
    default:
        return QPainter::CompositionMode_Source;
    }
}

bool drawsNothing(int penMode)
{
    return penMode == pmNop;
}

const QStringList& penModeNames()
{
    static const QStringList names = {
        QStringLiteral("Black"),       QStringLiteral("White"),      QStringLiteral("Nop"),
        QStringLiteral("Not"),         QStringLiteral("Copy"),       QStringLiteral("NotCopy"),
        QStringLiteral("MergePenNot"), QStringLiteral("MaskPenNot"), QStringLiteral("MergeNotPen"),
        QStringLiteral("MaskNotPen"),  QStringLiteral("Merge"),      QStringLiteral("NotMerge"),
        QStringLiteral("Mask"),        QStringLiteral("NotMask"),    QStringLiteral("Xor"),
        QStringLiteral("NotXor")};
    return names;
}

} // namespace app
