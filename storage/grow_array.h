#ifndef QUILLEX_STORAGE_GROW_ARRAY_H
#define QUILLEX_STORAGE_GROW_ARRAY_H

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

// A contiguous array of fixed-size elements copied bytewise, growing by
// doubling. New slots are zeroed: pointers start null, strings empty. The
// array never owns what a pointer element points to.
template <typename T>
class CGrowArray {
public:
    CGrowArray() : growByDoubling(1), items(nullptr), count(0), capacity(0) {}
    ~CGrowArray() { free(items); }

    // Makes room for n elements. False when memory could not be had; the
    // array is then unchanged.
    bool Reserve(int n)
    {
        int newCapacity = n;
        if (growByDoubling) {
            if (capacity >= n)
                return true;
            if (capacity <= INT32_MAX / 2 && 2 * capacity > n)
                newCapacity = 2 * capacity;
        }
        if (newCapacity < 0)
            return false;
        uint64_t bytes = (uint64_t)newCapacity * sizeof(T);
        if (bytes > UINT32_MAX)
            return false;
        T* block = (T*)calloc(newCapacity ? newCapacity : 1, sizeof(T));
        if (!block)
            return false;
        if (count > 0)
            memcpy((void*)block, (const void*)items, (size_t)count * sizeof(T));
        free(items);
        items = block;
        capacity = newCapacity;
        return true;
    }

    // Copies the element to the end; answers its index, or -1 when memory ran out.
    int Append(const T& element)
    {
        if (!Reserve(count + 1))
            return -1;
        memcpy((void*)&items[count], (const void*)&element, sizeof(T));
        return count++;
    }

    void Clear()
    {
        if (count == 0)
            return;
        free(items);
        items = nullptr;
        count = 0;
        capacity = 0;
    }

    T& operator[](int i) { return items[i]; }
    const T& operator[](int i) const { return items[i]; }

    uint8_t growByDoubling;
    T* items;
    int count;
    int capacity;

    CGrowArray(const CGrowArray&) = delete;
    CGrowArray& operator=(const CGrowArray&) = delete;
};

#endif
