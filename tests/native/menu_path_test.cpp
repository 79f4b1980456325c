// Position paths over a menu tree: identifier search, walking and insertion places, checked
// on an in-memory tree.
#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <memory>

#include "ZEBMenucore.h"

namespace {

struct Menu;
struct Item {
    unsigned id;
    Menu* sub;
};
struct Menu {
    std::vector<Item> items;
};

// A tree of Menu nodes; popups made on the way are kept so that tests can look at them.
class Tree : public XMENUTREE {
  public:
    Menu* add() {
        menus_.emplace_back();
        return &menus_.back();
    }
    Menu* add(std::initializer_list<Item> items) {
        Menu* m = add();
        m->items = items;
        return m;
    }
    int count(void* h) override { return h ? static_cast<int>(m(h)->items.size()) : 0; }
    unsigned id(void* h, int p) override {
        return valid(h, p) ? (m(h)->items[p].sub ? ~0u : m(h)->items[p].id) : ~0u;
    }
    void* sub(void* h, int p) override { return valid(h, p) ? m(h)->items[p].sub : nullptr; }
    void* makepopup(void* h, int p) override {
        ++nPopupsMade;
        if (failPopups || !valid(h, p)) return nullptr;
        Menu* s = add();
        m(h)->items[p] = Item{~0u, s};
        return s;
    }
    int nPopupsMade = 0;
    bool failPopups = false;

  private:
    static Menu* m(void* h) { return static_cast<Menu*>(h); }
    bool valid(void* h, int p) { return h && p >= 0 && p < count(h); }
    std::deque<Menu> menus_; // stable addresses
};

XMENUPATH find(Tree& t, Menu* root, int id) {
    XMENUPATH path(XMP_LEVELS, XMP_UNUSED);
    FXMENUFINDID(t, root, id, path, 1);
    return path;
}

const XMENUPATH kNotFound(XMP_LEVELS, XMP_UNUSED);

// A bar: File(10, 11) | Edit(20, Sub(21, Deep(22)), 23) | 30 plain
struct Fixture {
    Tree t;
    Menu* deep = t.add({{22, nullptr}});
    Menu* subm = t.add({{21, nullptr}, {0, deep}});
    Menu* file = t.add({{10, nullptr}, {11, nullptr}});
    Menu* edit = t.add({{20, nullptr}, {0, subm}, {23, nullptr}});
    Menu* bar = t.add({{0, file}, {0, edit}, {30, nullptr}});
};

TEST(MenuPath, FindsIdentifiersDepthFirstAtEveryLevel) {
    Fixture f;
    EXPECT_EQ(find(f.t, f.bar, 30), (XMENUPATH{3, -1, -1, -1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, 11), (XMENUPATH{1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, 23), (XMENUPATH{2, 3, -1, -1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, 22), (XMENUPATH{2, 2, 2, 1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, 99), kNotFound);
}

TEST(MenuPath, EarlierPositionsWinAndAnItemIsComparedBeforeItsPopup) {
    Tree t;
    Menu* inner = t.add({{7, nullptr}});
    Menu* a = t.add({{5, nullptr}, {0, inner}});
    Menu* bar = t.add({{0, a}, {7, nullptr}});
    // 7 is both deep in item 1 and plain at item 2: the earlier position wins.
    EXPECT_EQ(find(t, bar, 7), (XMENUPATH{1, 2, 1, -1, -1, -1}));
}

TEST(MenuPath, SearchStopsAtSixLevels) {
    Tree t;
    Menu* m = t.add({{77, nullptr}});
    for (int i = 0; i < 6; ++i) m = t.add({{0, m}});
    // 77 sits at level 7 of a 7-level tree: out of reach.
    EXPECT_EQ(find(t, m, 77), kNotFound);
    // At level 6 it is found.
    Tree t2;
    Menu* n = t2.add({{77, nullptr}});
    for (int i = 0; i < 5; ++i) n = t2.add({{0, n}});
    EXPECT_EQ(find(t2, n, 77), (XMENUPATH{1, 1, 1, 1, 1, 1}));
}

TEST(MenuPath, NonPositiveIdentifiersNameTopLevelPositions) {
    Fixture f;
    EXPECT_EQ(find(f.t, f.bar, -2), (XMENUPATH{2, -1, -1, -1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, -3), (XMENUPATH{3, -1, -1, -1, -1, -1}));
    EXPECT_EQ(find(f.t, f.bar, -4), kNotFound);
    EXPECT_EQ(find(f.t, f.bar, INT_MIN), kNotFound);
    EXPECT_EQ(find(f.t, f.bar, 0)[0], 0); // position 0: names no item
    EXPECT_EQ(find(f.t, nullptr, 5), kNotFound);
}

TEST(MenuPath, WalkStopsAtTheMenuHoldingTheItem) {
    Fixture f;
    void* h = f.bar;
    EXPECT_EQ(FXMENUWALK(f.t, h, {2, 2, 2, 1}), 1);
    EXPECT_EQ(h, f.deep);
    h = f.bar;
    EXPECT_EQ(FXMENUWALK(f.t, h, {2, 3, -1, -1, -1, -1}), 3);
    EXPECT_EQ(h, f.edit);
    h = f.bar; // item 3 has no pop-up: the walk ends on the bar
    EXPECT_EQ(FXMENUWALK(f.t, h, {3, 1}), 3);
    EXPECT_EQ(h, f.bar);
    h = f.bar; // beyond the last item
    EXPECT_EQ(FXMENUWALK(f.t, h, {9, 1}), 9);
    EXPECT_EQ(h, f.bar);
    h = f.bar;
    EXPECT_EQ(FXMENUWALK(f.t, h, {}), XMP_UNUSED);
    h = f.bar; // only six elements are read
    EXPECT_EQ(FXMENUWALK(f.t, h, {2, 2, 2, 1, -1, -1, 5}), 1);
}

TEST(MenuPath, InsertionPlaces) {
    Fixture f;
    void* h = f.bar;
    int at = -1;
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, {XMP_APPEND}, at));
    EXPECT_EQ(h, f.bar);
    EXPECT_EQ(at, 3);
    h = f.bar;
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, {2}, at));
    EXPECT_EQ(at, 1);
    h = f.bar; // beyond the end appends
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, {8}, at));
    EXPECT_EQ(at, 3);
    h = f.bar; // a path found for an identifier inserts before that item
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, find(f.t, f.bar, 23), at));
    EXPECT_EQ(h, f.edit);
    EXPECT_EQ(at, 2);
    h = f.bar;
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, {2, 2, XMP_APPEND}, at));
    EXPECT_EQ(h, f.subm);
    EXPECT_EQ(at, 2);
    EXPECT_EQ(f.t.nPopupsMade, 0);
}

TEST(MenuPath, InsertingBelowAPlainItemTurnsItIntoAPopup) {
    Fixture f;
    void* h = f.bar;
    int at = -1;
    ASSERT_TRUE(FXMENUINSERTWALK(f.t, h, {3, 1}, at));
    EXPECT_EQ(f.t.nPopupsMade, 1);
    ASSERT_NE(f.bar->items[2].sub, nullptr);
    EXPECT_EQ(h, f.bar->items[2].sub);
    EXPECT_EQ(at, 0);
    // The walk ends in the new pop-up even when the path goes on.
    Fixture g;
    h = g.bar;
    ASSERT_TRUE(FXMENUINSERTWALK(g.t, h, {2, 1, 5, 7}, at));
    EXPECT_EQ(h, g.edit->items[0].sub);
    EXPECT_EQ(at, 0);
}

TEST(MenuPath, InsertionRefusesPathsThatNameNoPlace) {
    Fixture f;
    int at = -1;
    for (const XMENUPATH& p :
         {XMENUPATH{}, XMENUPATH{-1}, XMENUPATH{0}, XMENUPATH{-1, 2}, XMENUPATH{-5}}) {
        void* h = f.bar;
        EXPECT_FALSE(FXMENUINSERTWALK(f.t, h, p, at)) << p.size();
    }
    // No item 9 to lead down, and no pop-up made for it.
    void* h = f.bar;
    EXPECT_FALSE(FXMENUINSERTWALK(f.t, h, {9, 1}, at));
    h = f.bar;
    EXPECT_FALSE(FXMENUINSERTWALK(f.t, h, {XMP_APPEND, 1}, at));
    EXPECT_EQ(f.t.nPopupsMade, 0);
    // A pop-up that cannot be made.
    f.t.failPopups = true;
    h = f.bar;
    EXPECT_FALSE(FXMENUINSERTWALK(f.t, h, {3, 1}, at));
}

TEST(MenuPath, RedrawRuleCountsTopLevelPaths) {
    EXPECT_TRUE(FXMENUTOPLEVEL({3}));
    EXPECT_TRUE(FXMENUTOPLEVEL({XMP_APPEND}));
    EXPECT_TRUE(FXMENUTOPLEVEL({3, -1, -1, -1, -1, -1}));
    EXPECT_FALSE(FXMENUTOPLEVEL({2, 1}));
    EXPECT_FALSE(FXMENUTOPLEVEL({2, 2, 2, 1, -1, -1}));
    EXPECT_FALSE(FXMENUTOPLEVEL({}));
    EXPECT_FALSE(FXMENUTOPLEVEL({-1}));
}

} // namespace
