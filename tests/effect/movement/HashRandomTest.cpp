#include "effect/movement/HashRandom.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using Effect::HashRandom;

// Reference values from an independent implementation of the hash.
TEST(HashRandom, SequencesForSeedsAndIndices) {
    struct Case {
        std::int32_t seed, index;
        float first, second, third;
    };
    const Case cases[] = {
        // Not 0: the first step already mixes in the constants.
        {0, 0, 0.14401069283485413f, 0.5676467418670654f, 0.6132827401161194f},
        {1, 0, 0.36670997738838196f, 0.8100955486297607f, 0.1697426289319992f},
        {0, 1, 0.2917950749397278f, 0.40744173526763916f, 0.7277481555938721f},
        // Negative inputs are sign-extended.
        {-1, -1, 0.8001739978790283f, 0.7273327708244324f, 0.9084524512290955f},
        {123456789, -42, 0.861189603805542f, 0.2692109942436218f, 0.7295463681221008f},
        {2147483647, -2147483647 - 1, 0.4748048484325409f, 0.08752471208572388f,
         0.2989376485347748f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "seed " << c.seed << " index " << c.index);
        EXPECT_EQ(HashRandom::value(c.seed, c.index), c.first);
        HashRandom random;
        random.start(c.seed, c.index);
        EXPECT_EQ(random.next(), c.first);
        EXPECT_EQ(random.next(), c.second);
        EXPECT_EQ(random.next(), c.third);
    }
}

TEST(HashRandom, TheLargestResiduesGiveExactlyOne) {
    // Residues within 128 of 2^32 round to 2^32 in single precision.
    EXPECT_EQ(HashRandom::value(0, 15190261), 1.0f);
    EXPECT_EQ(HashRandom::value(0, 18094055), 1.0f);
    EXPECT_EQ(HashRandom::value(0, 15190260), 0.3039100170135498f);
}

TEST(HashRandom, EveryThreadSeesTheSameNumbers) {
    std::vector<float> expected;
    for (int i = 0; i < 1000; ++i) expected.push_back(HashRandom::value(77, i));
    std::vector<std::vector<float>> seen(4);
    std::vector<std::thread> threads;
    for (auto& list : seen)
        threads.emplace_back([&list] {
            for (int i = 999; i >= 0; --i) list.insert(list.begin(), HashRandom::value(77, i));
        });
    for (auto& thread : threads) thread.join();
    for (const auto& list : seen) EXPECT_EQ(list, expected);
    for (const float u : expected) {
        EXPECT_GE(u, 0.0f);
        EXPECT_LE(u, 1.0f);
    }
}

}  // namespace
