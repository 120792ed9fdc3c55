#pragma once
// Owned arrays that report a failed allocation as a null pointer instead of
// throwing, so that sizing operations can fail cleanly with false.
#include <cstddef>
#include <memory>
#include <new>

template <class T>
std::unique_ptr<T[]> NewZeroedArray(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}
