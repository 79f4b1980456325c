// The sorted dispatch tables of a window object.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "ZEBTable.h"

namespace {

struct Table {
    int n = 0;
    XArray<int, 1> keys;
    XArray<int, 1> procs;
    void set(int key, int proc) { XTABLESET(n, keys, procs, key, proc); }
    bool find(int key, int& i) const { return XTABLEFIND(keys, n, key, i); }
    std::vector<int> keyList() const {
        std::vector<int> v;
        for (int i = 1; i <= n; ++i) v.push_back(keys[i]);
        return v;
    }
};

TEST(Table, KeysStayAscendingWhateverTheOrderOfRegistration) {
    Table t;
    for (int k : {274, 5, 258, 15, 260, 256}) t.set(k, k * 10);
    EXPECT_EQ(t.keyList(), (std::vector<int>{5, 15, 256, 258, 260, 274}));
    for (int i = 1; i <= t.n; ++i) EXPECT_EQ(t.procs[i], t.keys[i] * 10) << "pairs stay together";
}

TEST(Table, ReRegistrationReplacesWithoutGrowing) {
    Table t;
    t.set(256, 1);
    t.set(258, 2);
    t.set(256, 3);
    EXPECT_EQ(t.n, 2);
    int i = 0;
    ASSERT_TRUE(t.find(256, i));
    EXPECT_EQ(t.procs[i], 3);
}

TEST(Table, CapacityStartsAtTenAndGrowsToCountPlusTen) {
    Table t;
    EXPECT_FALSE(t.keys.allocated());
    std::vector<int> caps;
    for (int k = 1; k <= 25; ++k) {
        t.set(1000 - k * 7, k); // descending: every insert ripples the whole table
        caps.push_back(t.keys.capacity());
        EXPECT_EQ(t.procs.capacity(), t.keys.capacity());
    }
    EXPECT_EQ(caps[0], 10);
    EXPECT_EQ(caps[9], 10);
    EXPECT_EQ(caps[10], 21);
    EXPECT_EQ(caps[20], 21);
    EXPECT_EQ(caps[21], 32);
    for (int k = 1; k <= 25; ++k) {
        int i = 0;
        ASSERT_TRUE(t.find(1000 - k * 7, i)) << k;
        EXPECT_EQ(t.procs[i], k);
    }
    EXPECT_EQ(t.keys[1], 1000 - 25 * 7) << "smallest key at index 1";
}

TEST(Table, SearchFindsEveryPresentKeyAndEndsForEveryAbsentOne) {
    for (int n = 0; n <= 40; ++n) {
        Table t;
        for (int k = 1; k <= n; ++k) t.set(k * 2, k);
        for (int key = -1; key <= 2 * n + 3; ++key) {
            int i = 0;
            const bool present = key > 0 && key % 2 == 0 && key <= 2 * n;
            ASSERT_EQ(t.find(key, i), present) << "n " << n << " key " << key;
            if (present) {
                EXPECT_EQ(t.keys[i], key);
            }
        }
    }
}

TEST(Table, ResizeKeepsEntriesAndZeroFillsTheRest) {
    XArray<int, 0> a;
    a.allocate(3);
    a[0] = 7, a[1] = 8, a[2] = 9;
    a.resize(6);
    EXPECT_EQ(a[0], 7);
    EXPECT_EQ(a[2], 9);
    EXPECT_EQ(a[5], 0);
    a.release();
    EXPECT_FALSE(a.allocated());
    EXPECT_EQ(a.capacity(), 0);
}

// The remembered answer never outlives a change: a random run of sets, erases and finds over a
// few keys (so that the remembered one is hit often) answers as a plain map does.
TEST(HandleMap, AnswersAsAPlainMapThroughAnyRunOfChanges) {
    int objects[4] = {};
    XHandleMap<const void*, int> m;
    std::map<const void*, int*> model;
    std::mt19937 rng(12);
    const auto key = [](unsigned k) { return reinterpret_cast<const void*>(0x1000 + 4 * k); };
    for (int step = 0; step < 20000; ++step) {
        const unsigned r = rng(), k = r % 5;
        switch ((r >> 8) % 4) {
        case 0:
            m.set(key(k), &objects[(r >> 12) % 4]);
            model[key(k)] = &objects[(r >> 12) % 4];
            break;
        case 1:
            m.erase(key(k));
            model.erase(key(k));
            break;
        default: {
            const auto i = model.find(key(k));
            ASSERT_EQ(m.find(key(k)), i == model.end() ? nullptr : i->second) << "step " << step;
        }
        }
        ASSERT_EQ(m.size(), model.size());
    }
}

TEST(HandleMap, ARememberedMissOrHitFollowsTheNextChange) {
    int a = 0, b = 0;
    XHandleMap<int, int> m;
    EXPECT_EQ(m.find(7), nullptr);
    m.set(7, &a);
    EXPECT_EQ(m.find(7), &a);
    m.set(8, &b); // another key becomes the remembered one
    m.set(7, &b);
    EXPECT_EQ(m.find(7), &b);
    EXPECT_EQ(m.find(8), &b);
    m.erase(7);
    EXPECT_EQ(m.find(7), nullptr);
    EXPECT_EQ(m.find(8), &b);
    m.erase(8);
    EXPECT_EQ(m.find(8), nullptr);

    XHandleMap<int, int> fresh; // remembers a miss for key 0 before anything is set
    EXPECT_EQ(fresh.find(0), nullptr);
    fresh.set(1, &a);
    fresh.set(0, &b);
    fresh.find(1);
    EXPECT_EQ(fresh.find(0), &b);
}

} // namespace
