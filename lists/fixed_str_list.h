#ifndef QUILLEX_LISTS_FIXED_STR_LIST_H
#define QUILLEX_LISTS_FIXED_STR_LIST_H

#include <string.h>

#include "storage/grow_array.h"
#include "storage/wide_text.h"

// One string slot of a fixed number of UTF-16 units, always terminated,
// copied whole. Chooser lists use 200-unit slots; the recent-files list uses
// slots wide enough for a whole path.
template <int Units>
struct FixedStrT {
    wchar_t text[Units];
};

typedef int (*StrCompareFn)(const wchar_t* a, const wchar_t* b);

// Case-insensitive comparison of the handheld's runtime: both units are
// folded to lower case (Cyrillic included, whatever the C runtime's locale)
// and compared as numbers, so '_' sorts before the letters.
int CompareNoCase(const wchar_t* a, const wchar_t* b);

// A list of string slots with insertion at a position, removal and an
// in-place sort. Slots past `count` may keep old contents.
template <int Units>
class CFixedStrListT : public CGrowArray<FixedStrT<Units> > {
public:
    typedef FixedStrT<Units> Slot;
    static const int SLOT_UNITS = Units;

    // A cleared slot holding `text` (at most `length` units, -1 for all),
    // cut at the slot width.
    static Slot MakeSlot(const wchar_t* text, int length = -1)
    {
        Slot slot;
        memset(&slot, 0, sizeof(slot));
        CopyUnits(slot.text, text, length);
        return slot;
    }

    int AppendText(const wchar_t* text) { return this->Append(MakeSlot(text)); }

    const wchar_t* At(int index) const { return this->items[index].text; }

    // Inserts before `position`, clamped to 0 ... count. The slot comes by
    // value, so it may be a copy of one of the list's own slots.
    bool InsertAt(Slot slot, int position)
    {
        // The list always keeps one spare slot past its end after an
        // insertion, so the capacities seen after inserts are predictable.
        if (!this->Reserve(this->count + 2))
            return false;
        if (position < 0)
            position = 0;
        if (position > this->count)
            position = this->count;
        memmove((void*)&this->items[position + 1], (const void*)&this->items[position],
                (size_t)(this->count - position) * sizeof(Slot));
        this->items[position] = slot;
        ++this->count;
        return true;
    }

    // Removes the slot at `index`; an index outside the list changes nothing.
    void RemoveAt(int index)
    {
        if (index < 0 || index >= this->count)
            return;
        memmove((void*)&this->items[index], (const void*)&this->items[index + 1],
                (size_t)(this->count - index - 1) * sizeof(Slot));
        --this->count;
    }

    // Heap sort in place, ascending by `compare`; needs one slot aside and no
    // other memory, which matters for long folder listings on the handheld.
    // Not stable: names comparing equal may come out in either order.
    void Sort(StrCompareFn compare)
    {
        int n = this->count;
        // Heap the subtrees below the root; the first pass below heaps the root.
        for (int i = n - 1; i >= 1; --i)
            SiftDown(i, n - 1, compare);
        for (int last = n - 1; last >= 1; --last) {
            SiftDown(0, last, compare);
            Slot largest = this->items[0];
            this->items[0] = this->items[last];
            this->items[last] = largest;
        }
    }

private:
    // Moves the slot at `start` down the heap within start ... last (inclusive).
    void SiftDown(int start, int last, StrCompareFn compare)
    {
        Slot* slots = this->items;
        Slot aside = slots[start];
        int hole = start;
        int child = 2 * start + 1;
        while (child <= last) {
            if (child < last && compare(slots[child].text, slots[child + 1].text) < 0)
                ++child;
            if (compare(aside.text, slots[child].text) >= 0)
                break;
            slots[hole] = slots[child];
            hole = child;
            child = 2 * child + 1;
        }
        slots[hole] = aside;
    }
};

const int FIXED_STR_UNITS = 200;
typedef FixedStrT<FIXED_STR_UNITS> FixedStr;
typedef CFixedStrListT<FIXED_STR_UNITS> CFixedStrList;

#endif
