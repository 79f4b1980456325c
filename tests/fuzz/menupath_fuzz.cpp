// Position paths walked over an arbitrary menu tree (shared and cyclic pop-ups included): walks
// stay inside the tree, insertion places are inside their menu, and a path found for an
// identifier leads back to an item with it.
#include "fuzzcheck.h"
#include "ZEBMenucore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <deque>
#include <vector>

namespace {

struct Menu;
struct Item {
    unsigned id;
    Menu* sub;
};
struct Menu {
    std::vector<Item> items;
};

class Tree : public XMENUTREE {
  public:
    std::deque<Menu> menus;
    int count(void* h) override { return h ? int(m(h)->items.size()) : 0; }
    unsigned id(void* h, int p) override { return valid(h, p) ? m(h)->items[p].id : ~0u; }
    void* sub(void* h, int p) override { return valid(h, p) ? m(h)->items[p].sub : nullptr; }
    void* makepopup(void* h, int p) override {
        if (!valid(h, p) || menus.size() > 64) return nullptr;
        menus.emplace_back();
        m(h)->items[p].sub = &menus.back();
        return &menus.back();
    }
    bool owns(void* h) const {
        for (const Menu& x : menus)
            if (&x == h) return true;
        return false;
    }

  private:
    static Menu* m(void* h) { return static_cast<Menu*>(h); }
    bool valid(void* h, int p) { return h && p >= 0 && p < count(h); }
};

int element(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return XMP_UNUSED;
    case 1: return XMP_APPEND;
    case 2: return in.ConsumeIntegral<int>();
    default: return in.ConsumeIntegralInRange(0, 6);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Tree t;
    const int nMenus = in.ConsumeIntegralInRange(1, 8);
    for (int k = 0; k < nMenus; ++k) t.menus.emplace_back();
    for (Menu& m : t.menus) {
        const int n = in.ConsumeIntegralInRange(0, 6);
        for (int k = 0; k < n; ++k) {
            const unsigned id = in.ConsumeIntegralInRange(0u, 12u);
            Menu* sub =
                in.ConsumeBool() ? &t.menus[in.ConsumeIntegralInRange(0, nMenus - 1)] : nullptr;
            m.items.push_back({id, sub});
        }
    }
    void* root = &t.menus[0];

    XMENUPATH path(std::size_t(in.ConsumeIntegralInRange(0, 9)));
    for (int& e : path) e = element(in);

    void* h = root;
    const int p = FXMENUWALK(t, h, path);
    FZCHECK(t.owns(h));
    bool named = path.empty() && p == XMP_UNUSED;
    for (std::size_t k = 0; k < path.size() && k < std::size_t(XMP_LEVELS); ++k)
        named = named || p == path[k];
    FZCHECK(named);

    const int ID = in.ConsumeIntegralInRange(-8, 12);
    XMENUPATH found(XMP_LEVELS, XMP_UNUSED);
    FXMENUFINDID(t, root, ID, found, 1);
    if (ID > 0 && found[0] != XMP_UNUSED) {
        // The path ends at the first element after which the next one is unused.
        void* m = root;
        int k = 0;
        while (k + 1 < XMP_LEVELS && found[std::size_t(k + 1)] != XMP_UNUSED) {
            m = t.sub(m, found[std::size_t(k)] - 1);
            FZCHECK(m != nullptr);
            ++k;
        }
        FZCHECK(t.id(m, found[std::size_t(k)] - 1) == unsigned(ID));
    }

    h = root;
    int iPos0 = -1;
    if (FXMENUINSERTWALK(t, h, path, iPos0)) {
        FZCHECK(t.owns(h));
        FZCHECK(iPos0 >= 0 && iPos0 <= t.count(h));
    }
    FXMENUTOPLEVEL(path);
    return 0;
}
