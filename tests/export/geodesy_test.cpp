#include "export/geodesy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
Ecef At(double latitudeDegrees, double longitudeDegrees, double height = 0)
{
    const double latitude = DegreesToRadians(latitudeDegrees);
    const double longitude = DegreesToRadians(longitudeDegrees);
    return {EcefX(height, longitude, latitude), EcefY(height, longitude, latitude), EcefZ(height, longitude, latitude)};
}

TEST(Geodesy, TheEquatorAtTheMeridianLiesOnTheXAxis)
{
    const Ecef point = At(0, 0);
    EXPECT_DOUBLE_EQ(point.x, 6378137.0);
    EXPECT_EQ(point.y, 0.0);
    EXPECT_EQ(point.z, 0.0);
}

TEST(Geodesy, ThePoleLiesOnTheShortAxis)
{
    const Ecef pole = At(90, 0);
    EXPECT_NEAR(pole.z, 6356752.314, 0.001);
    EXPECT_LT(std::abs(pole.x), 1e-9);
    EXPECT_EQ(pole.y, 0.0);
}

TEST(Geodesy, HeightMovesAPointAlongItsNormal)
{
    const Ecef ground = At(0, 90);
    const Ecef raised = At(0, 90, 100);
    EXPECT_NEAR(raised.y - ground.y, 100.0, 1e-6);
}

TEST(Geodesy, AThousandthOfADegreeOfLatitudeNearTheEquatorIsAbout110Metres)
{
    const Ecef from = At(0.0005, 10);
    const Ecef to = At(0.0015, 10);
    EXPECT_NEAR(EcefDistance(from, to.x, to.y, to.z), 110.6, 0.1);
}

TEST(Geodesy, DistanceIsMeasuredFromThePreviousPoint)
{
    const Ecef previous{1, 2, 3};
    EXPECT_DOUBLE_EQ(EcefDistance(previous, 4, 6, 3), 5.0);
    EXPECT_DOUBLE_EQ(EcefDistance(previous, 1, 2, 3), 0.0);
}
} // namespace
