#include "core/FileFilter.h"

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
