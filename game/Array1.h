// Array1: a fixed array indexed from 1, as the game's rows, positions and
// colours are numbered. Keeps the game code free of "- 1" at every access;
// the bounds are checked in debug builds.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

template <typename T, size_t N>
struct Array1 {
    std::array<T, N> Items{};

    T& operator[](size_t i) {
        assert(i >= 1 && i <= N);
        return Items[i - 1];
    }
    const T& operator[](size_t i) const {
        assert(i >= 1 && i <= N);
        return Items[i - 1];
    }
    static constexpr size_t size() { return N; }
    void Fill(const T& value) { Items.fill(value); }
    friend bool operator==(const Array1&, const Array1&) = default;
};
