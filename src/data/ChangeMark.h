// The "unsaved changes" mark of one kind of planning data (orders with their
// jobs, workers, holidays).
//
// Records do not know the list that holds them, so every change a save would
// write counts on its kind's process-wide counter: record setters, the
// lists' own adding and deleting, loading into an open list, imports and
// templates. A list remembers the count its file matches (after loading, and
// after each successful save of its own file) and is modified while the
// count differs. A save takes the count before it writes, so a change made
// while the file is written keeps the mark.
//
// Code that writes a record's field directly, without a setter, calls
// Note() on the record's kind itself.
#pragma once

#include <atomic>
#include <cstdint>

class ChangeMark
{
public:
    static ChangeMark& Orders();
    static ChangeMark& Workers();
    static ChangeMark& Holidays();

    void Note() { fChanges.fetch_add(1, std::memory_order_acq_rel); }
    // The count to hand to Saved() once the file written from now on is
    // whole on disk.
    uint64_t Count() const { return fChanges.load(std::memory_order_acquire); }
    void Saved(uint64_t count) { fSaved.store(count, std::memory_order_release); }
    // The data matches its file now (a list just loaded).
    void Reset() { Saved(Count()); }
    bool Modified() const { return Count() != fSaved.load(std::memory_order_acquire); }

private:
    std::atomic<uint64_t> fChanges{0};
    std::atomic<uint64_t> fSaved{0};
};
