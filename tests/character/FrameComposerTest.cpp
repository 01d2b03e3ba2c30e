#include "character/FrameComposer.h"
#include "support/CharacterFixtures.h"

#include <gtest/gtest.h>

using namespace character;

TEST(FrameComposer, StacksPicturesFromTheLastAndLaysTheMouthOn)
{
    auto data = std::make_shared<acs::Character>(fixtures::smallCharacter());
    FrameComposer composer(data);
    const acs::Frame& talking = data->animation("Speak")->frames[0];
    const QImage plain = composer.compose(talking).image;
    EXPECT_EQ(plain.size(), QSize(12, 10));
    EXPECT_EQ(qAlpha(plain.pixel(0, 0)), 0);
    // Picture 2 is on top of picture 3 (shifted by one): the top one's colour shows.
    EXPECT_EQ(plain.pixel(5, 3) & 0xFFFFFF, data->palette[1]);
    // The closed mouth replaces the top picture, so picture 3 shows through where 2 was alone.
    const QImage closed = composer.compose(talking, acs::MouthShape::Closed).image;
    EXPECT_EQ(closed.pixel(3, 8) & 0xFFFFFF, data->palette[1]);
    EXPECT_NE(composer.compose(talking, acs::MouthShape::Wide2).image, plain);
    // A shape the frame does not have leaves it as it is.
    EXPECT_EQ(composer.compose(talking, acs::MouthShape::Narrow).image, plain);
}
