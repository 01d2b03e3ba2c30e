#include "core/FileFilter.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

using core::toQtFileFilter;

TEST(FileFilter, PairsOfDescriptionAndPatternsBecomeQtsFormInBothLetterCases)
{
    EXPECT_EQ(toQtFileFilter("Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*"),
              "Bitmaps (*.bmp *.BMP);;All Files (*)");
    // The description's own list is replaced by the real one; blanks around patterns go.
    EXPECT_EQ(toQtFileFilter("JPEG Image Files (*.jpg; *.jpeg)|*.jpg; *.jpeg"),
              "JPEG Image Files (*.jpg *.JPG *.jpeg *.JPEG)");
    // A description without a list keeps all of itself; one already in capitals comes once.
    EXPECT_EQ(toQtFileFilter("Sounds|*.WAV;*.mid"), "Sounds (*.WAV *.mid *.MID)");
    // A translation may drop or damage pairs: what is left over or empty offers nothing.
    EXPECT_EQ(toQtFileFilter("Bitmaps|*.bmp|Dangling"), "Bitmaps (*.bmp *.BMP)");
    EXPECT_EQ(toQtFileFilter("Nothing|;;|Bitmaps|*.bmp"), "Bitmaps (*.bmp *.BMP)");
    EXPECT_EQ(toQtFileFilter(""), "");
    // Words in brackets are the description's own, not a list of patterns.
    EXPECT_EQ(toQtFileFilter("Bilder (Fotos)|*.gif"), "Bilder (Fotos) (*.gif *.GIF)");
}

TEST(FileDialogFilters, TurnTheLanguageFilesPairsIntoTheDialogsEntries)
{
    EXPECT_EQ(core::fileDialogFilters(
                  "Wave files (*.wav)|*.wav|Media (*.wav;*.mid)|*.wav; *.mid|All Files (*.*)|*.*"),
              (QStringList{"Wave files (*.wav *.WAV)", "Media (*.wav *.WAV *.mid *.MID)", "All Files (*)"}));
    // A translated description keeps its own words in brackets in the event editor too.
    EXPECT_EQ(core::fileDialogFilters("Bilder (Fotos)|*.gif"), QStringList{"Bilder (Fotos) (*.gif *.GIF)"});
}

TEST(Rounding, ARatioIsRoundedExactlyHalvesToEven)
{
    // 18 x 21 picture, width slider at 429: the height is 500.5, which goes to the even 500.
    EXPECT_EQ(core::roundHalfEven(429 * 21, 18), 500);
    EXPECT_EQ(core::roundHalfEven(427 * 21, 18), 498); // 498.1666
    EXPECT_EQ(core::roundHalfEven(5, 2), 2);
    EXPECT_EQ(core::roundHalfEven(7, 2), 4);
    EXPECT_EQ(core::roundHalfEven(-5, 2), -2);
    EXPECT_EQ(core::roundHalfEven(5, -2), -2);
    EXPECT_EQ(core::roundHalfEven(2, 3), 1);
    EXPECT_EQ(core::roundHalfEven(qint64(1) << 40, 1), 1 << 24);
}
