// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/AffineFit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A rotated, sheared, shifted image of 40,000 px: three or more exact pairs
// give the transform back, and its inverse undoes it.
TEST(FitAffine, RecoversAnExactTransform)
{
    const Affine truth{2.5, -0.3, 500000.0, -0.2, -2.4, 6200000.0};
    std::vector<FitPair> pairs;
    for (const PlanePoint px : {PlanePoint{0, 0}, {40000, 0}, {40000, 30000}, {0, 30000}, {17, 23000}})
        pairs.push_back({px, truth.apply(px)});
    for (std::size_t n : {3u, 5u}) {
        const auto fit = FitAffine(std::span(pairs).first(n));
        ASSERT_TRUE(fit);
        for (const double got : {fit->a - truth.a, fit->b - truth.b, fit->d - truth.d, fit->e - truth.e})
            EXPECT_NEAR(got, 0.0, 1e-9);
        EXPECT_NEAR(fit->c, truth.c, 1e-5);
        EXPECT_NEAR(fit->f, truth.f, 1e-5);
        const PlanePoint back = fit->inverse()->apply(truth.apply({123.0, 456.0}));
        EXPECT_NEAR(back.x, 123.0, 1e-6);
        EXPECT_NEAR(back.y, 456.0, 1e-6);
    }
}

TEST(FitAffine, TwoPointsGiveScaleAndOffsetPerAxis)
{
    const FitPair pairs[] = {{{10, 20}, {1000, 5000}}, {{110, 220}, {1200, 4600}}};
    const auto fit = FitAffine(pairs);
    ASSERT_TRUE(fit);
    EXPECT_DOUBLE_EQ(fit->a, 2.0);
    EXPECT_DOUBLE_EQ(fit->e, -2.0);
    EXPECT_EQ(fit->b, 0.0);
    EXPECT_EQ(fit->d, 0.0);
    EXPECT_DOUBLE_EQ(fit->apply({60, 120}).x, 1100.0);
    EXPECT_DOUBLE_EQ(fit->apply({60, 120}).y, 4800.0);
}

// A least-squares fit spreads a point that is off over the residuals.
TEST(FitAffine, LeastSquaresOfFourPoints)
{
    const FitPair pairs[] = {{{0, 0}, {0, 0}}, {{10, 0}, {10, 0}}, {{10, 10}, {10, 10}}, {{0, 10}, {0, 14}}};
    const auto fit = FitAffine(pairs);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->apply({0, 10}).y, 13.0, 1e-9);
    EXPECT_NEAR(fit->apply({0, 0}).y, 1.0, 1e-9);
}

TEST(FitAffine, RefusesPairsThatFixNothing)
{
    const std::vector<std::vector<FitPair>> cases{
        {},
        {{{0, 0}, {0, 0}}},
        {{{0, 0}, {0, 0}}, {{0, 5}, {1, 1}}},                     // one column
        {{{0, 0}, {0, 0}}, {{5, 5}, {1, 1}}, {{10, 10}, {2, 2}}},  // one line
    };
    for (const auto& pairs : cases)
        EXPECT_FALSE(FitAffine(pairs)) << pairs.size();
}

}  // namespace
