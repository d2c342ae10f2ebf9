#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

#include "qor/SharedResource.h"

namespace {

// Stands for an accessor: polymorphic, destroyed through its base.
struct Resource {
    virtual ~Resource() = default;
};
struct Counted : Resource {
    explicit Counted(int& counter) : destroyed(counter) {}
    ~Counted() override { ++destroyed; }
    int& destroyed;
};

using Handle = qor::SharedResource<qor::PointerStorage<Resource, 0, 3>, 0>;

TEST(SharedResourceTest, LastOfThreeHandlesDestroysOnceInAnyOrder) {
    std::array<int, 3> order{0, 1, 2};
    do {
        int destroyed = 0;
        std::array<std::optional<Handle>, 3> handles;
        handles[0].emplace(new Counted(destroyed));
        handles[1].emplace(*handles[0]);
        handles[2].emplace(*handles[1]);
        EXPECT_EQ(handles[2]->useCount(), 3);
        EXPECT_EQ(handles[0]->get(), handles[2]->get());
        for (int released = 0; released < 3; ++released) {
            EXPECT_EQ(destroyed, 0);
            handles[static_cast<std::size_t>(order[static_cast<std::size_t>(released)])].reset();
        }
        EXPECT_EQ(destroyed, 1);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SharedResourceTest, AssignmentReleasesTheOldResourceAndSharesTheNew) {
    int oldDestroyed = 0;
    int newDestroyed = 0;
    Handle target(new Counted(oldDestroyed));
    Handle source(new Counted(newDestroyed));
    Handle oldShare(target);

    target = source;  // the old resource keeps one handle
    EXPECT_EQ(oldDestroyed, 0);
    EXPECT_EQ(oldShare.useCount(), 1);
    EXPECT_EQ(target.get(), source.get());
    EXPECT_EQ(source.useCount(), 2);

    oldShare = source;  // now it loses its last one
    EXPECT_EQ(oldDestroyed, 1);
    EXPECT_EQ(source.useCount(), 3);

    const auto& self = target;  // through a reference: compilers warn on "x = x"
    target = self;              // self-assignment changes nothing
    EXPECT_EQ(source.useCount(), 3);
    target = Handle();
    EXPECT_TRUE(target.isEmpty());
    EXPECT_EQ(source.useCount(), 2);

    Handle moved(std::move(source));
    EXPECT_TRUE(source.isEmpty());  // NOLINT: a moved-from handle is empty by contract
    EXPECT_EQ(moved.useCount(), 2);
    moved.release();
    oldShare.release();
    EXPECT_EQ(newDestroyed, 1);
}

}  // namespace
