#include <gtest/gtest.h>

#include "core/hierarchy/snapshot_buffers.h"

namespace kestro {
namespace {

// The autosave's cycle for one sheet: no memory at first, so it is prepared; ready for
// the same sheet after; busy while lent out (no second copy of one document is written at
// once); sized from what the last snapshot took per object.
TEST(SnapshotBuffers, MemoryIsPreparedLentOnceAndSizedFromTheLastSnapshot) {
    CSnapshotBuffers buffers;
    const size_t objects = 100000;
    EXPECT_FALSE(buffers.LendReady("a.sch", objects)) << "nothing prepared yet";
    ASSERT_TRUE(buffers.BeginPreparing("a.sch"));
    EXPECT_TRUE(buffers.IsBusy("a.sch"));
    EXPECT_FALSE(buffers.BeginPreparing("a.sch")) << "one preparation at a time";
    EXPECT_FALSE(buffers.LendReady("a.sch", objects));
    EXPECT_FALSE(buffers.LendAny("a.sch"));
    const size_t wanted = buffers.WantedCapacity("a.sch", objects);
    buffers.GiveBack("a.sch", CSnapshotBuffers::Prepared(wanted));
    EXPECT_FALSE(buffers.IsBusy("a.sch"));
    EXPECT_GE(buffers.IdleCapacity(), wanted);

    auto lent = buffers.LendReady("a.sch", objects);
    ASSERT_TRUE(lent);
    EXPECT_TRUE(lent->empty());
    EXPECT_GE(lent->capacity(), wanted);
    EXPECT_FALSE(buffers.LendReady("a.sch", objects)) << "lent out";
    // The snapshot took 80 bytes an object: the memory kept is enough for the next one,
    // and for a sheet grown by a few objects, but not for one twice the size.
    lent->resize(objects * 80);
    buffers.GiveBack("a.sch", std::move(*lent), objects * 80, objects);
    EXPECT_LT(buffers.WantedCapacity("a.sch", objects), wanted);
    auto again = buffers.LendReady("a.sch", objects + 100);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->empty()) << "handed out empty, whatever it held";
    buffers.GiveBack("a.sch", std::move(*again));
    EXPECT_FALSE(buffers.LendReady("a.sch", 2 * objects));
    EXPECT_FALSE(buffers.LendReady("b.sch", objects)) << "memory belongs to its sheet";
}

// A sheet saved or closed lets its memory go; one being written keeps it until the
// writer gives it back, which then drops it.
TEST(SnapshotBuffers, ForgettingABusyBufferDropsItWhenItComesBack) {
    CSnapshotBuffers buffers;
    buffers.GiveBack("idle", CSnapshotBuffers::Prepared(1000));
    buffers.Forget("idle");
    EXPECT_TRUE(buffers.Keys().empty());

    auto lent = buffers.LendAny("busy");
    ASSERT_TRUE(lent);
    buffers.Forget("busy");
    EXPECT_TRUE(buffers.IsBusy("busy"));
    buffers.GiveBack("busy", CSnapshotBuffers::Prepared(1000), 10, 1);
    EXPECT_FALSE(buffers.IsBusy("busy"));
    EXPECT_TRUE(buffers.Keys().empty());
    EXPECT_EQ(buffers.IdleCapacity(), 0u);
}

}  // namespace
}  // namespace kestro
