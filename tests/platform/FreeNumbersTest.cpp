// Free names for pictures that share one name: each search starts where
// the last one for that name ended.
#include "platform/PathParts.h"

#include <gtest/gtest.h>

#include <set>

namespace dz {
namespace {

TEST(FreeNumbers, TenThousandPicturesOfOneNameLookAtEachNumberAboutOnce) {
    FreeNumbers numbers;
    std::set<int> taken{2, 5};  // names found taken in the folder already
    long long looks = 0;
    for (int i = 0; i < 10000; ++i) {
        const int n = numbers.next("Trip/IMG_0001", [&](int candidate) {
            ++looks;
            return taken.count(candidate) == 0;
        });
        EXPECT_TRUE(taken.insert(n).second) << n;
    }
    // A search from "(2)" each time would look about fifty million times.
    EXPECT_LT(looks, 3 * 10000);
    // Another name starts from "(2)" again.
    EXPECT_EQ(numbers.next("Trip/IMG_0002", [](int) { return true; }), 2);
}

}  // namespace
}  // namespace dz
