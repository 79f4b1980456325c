// ZEBTable: the owned arrays of a window object and the sorted dispatch tables.
//
//   XArray<T, Base>  growable owned array indexed from Base, with its own capacity
//   XHandleMap<K, V> handle-to-object map that remembers its last answer
//   XTABLESET        insert or replace a key in a sorted (keys, procedures) pair
//   XTABLEFIND       binary search over a sorted key array
//
// Platform-free: the window object instantiates these with its own types.
#pragma once

#include <algorithm>
#include <memory>
#include <unordered_map>

template <class T, int Base> class XArray {
  public:
    bool allocated() const { return p_ != nullptr; }
    int capacity() const { return cap_; }

    // Allocates cap value-initialised (all-zero) elements; what was held is released.
    void allocate(int cap) {
        p_.reset(new T[cap]());
        cap_ = cap;
    }
    // Reallocates with capacity cap, keeping the first min(old, cap) elements in place.
    void resize(int cap) {
        std::unique_ptr<T[]> q(new T[cap]());
        std::move(p_.get(), p_.get() + std::min(cap, cap_), q.get());
        p_ = std::move(q);
        cap_ = cap;
    }
    void release() {
        p_.reset();
        cap_ = 0;
    }

    T& operator[](int i) { return p_[i - Base]; }
    const T& operator[](int i) const { return p_[i - Base]; }
    T* data() { return p_.get(); }

  private:
    std::unique_ptr<T[]> p_;
    int cap_ = 0;
};

// Handles to objects. The window procedure asks for the same handle many times in a row, and a
// hash lookup costs more than the rest of its path, so the last answer (a miss too) is kept;
// every change goes through set and erase, which keep it true. An empty map's remembered
// answer is a miss for the null handle. Values are never null. Constant-initialised (the
// table is made on the first set), so a map at namespace scope needs no guard and is usable
// from any other initialiser.
template <class K, class V> class XHandleMap {
  public:
    constexpr XHandleMap() = default;
    V* find(K k) { return k == kLast_ ? pLast_ : look(k); }
    void set(K k, V* v) {
        if (!map_) map_ = std::make_unique<std::unordered_map<K, V*>>();
        (*map_)[k] = v;
        remember(k, v);
    }
    void erase(K k) {
        if (map_) map_->erase(k);
        remember(k, nullptr);
    }
    std::size_t size() const { return map_ ? map_->size() : 0; }

  private:
    [[gnu::noinline]] V* look(K k) {
        V* v = nullptr;
        if (map_) {
            const auto i = map_->find(k);
            if (i != map_->end()) v = i->second;
        }
        remember(k, v);
        return v;
    }
    void remember(K k, V* v) {
        kLast_ = k;
        pLast_ = v;
    }
    std::unique_ptr<std::unordered_map<K, V*>> map_;
    K kLast_{};
    V* pLast_ = nullptr;
};

constexpr int XTABLE_FIRSTCAP = 10;
constexpr int XTABLE_GROWTH = 10;

// Binary search over keys 1..n, without data-dependent branches: the window procedure runs it
// on every message, between long stretches of the system's code that leave the branch
// predictor nothing to go on. The range narrows to the last key not above the one sought.
template <class K> bool XTABLEFIND(const XArray<K, 1>& keys, int n, K key, int& index) {
    if (n <= 0) return false;
    const K* first = &keys[1];
    const K* at = first;
    for (int len = n; len > 1;) {
        const int half = len / 2;
        at = at[half] <= key ? at + half : at;
        len -= half;
    }
    if (*at != key) return false;
    index = static_cast<int>(at - first) + 1;
    return true;
}

// Registers proc under key in the table (count n, arrays keys/procs), keeping keys strictly
// ascending: an equal key has its procedure replaced; a new key is rippled into place.
// Both arrays start at capacity 10 and grow to count + 10 when the count exceeds capacity.
template <class K, class P>
void XTABLESET(int& n, XArray<K, 1>& keys, XArray<P, 1>& procs, K key, P proc) {
    if (n == 0) {
        keys.allocate(XTABLE_FIRSTCAP);
        procs.allocate(XTABLE_FIRSTCAP);
    }
    int at = n + 1;
    for (int i = 1; i <= n; ++i) {
        if (keys[i] == key) {
            procs[i] = proc;
            return;
        }
        if (keys[i] > key) {
            at = i;
            break;
        }
    }
    ++n;
    if (n > keys.capacity()) {
        keys.resize(n + XTABLE_GROWTH);
        procs.resize(n + XTABLE_GROWTH);
    }
    for (int i = n; i > at; --i) {
        keys[i] = keys[i - 1];
        procs[i] = procs[i - 1];
    }
    keys[at] = key;
    procs[at] = proc;
}
