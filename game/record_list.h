// The game's record lists (meteors, shells, explosions, stars). Records are
// never removed one by one: a dead record stays until the whole list is
// cleared. New records are zero-filled and appended at the end, except that a
// record inserted during a walk of the same list goes directly after the
// record being visited and is not visited by that walk.
#pragma once

#include <cstddef>
#include <vector>

namespace sky {

template <class Record>
class RecordList {
 public:
  // Appends a zero-filled record and returns it. A record appended while
  // another list is walked is visited by any later walk of this list.
  Record& append() { return records_.emplace_back(); }

  // Visits every record from first to last: visit(record, walk). The visitor
  // may call walk.insert_after() to put a zero-filled record directly after
  // the visited one; the walk then goes on with the record that followed the
  // visited one. After an insertion the visited record's reference is no
  // longer valid (the storage may move), so a visitor inserts last.
  template <class Visit>
  void walk(Visit&& visit);

  class Walk {
   public:
    Record& insert_after() {
      auto& records = list_.records_;
      records.insert(records.begin() + static_cast<std::ptrdiff_t>(current_ + 1), Record{});
      ++skip_;
      return records[current_ + 1];
    }

   private:
    friend class RecordList;
    Walk(RecordList& list, std::size_t current) : list_(list), current_(current) {}
    RecordList& list_;
    std::size_t current_;
    std::size_t skip_ = 0;
  };

  void clear() { records_.clear(); }
  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  Record& operator[](std::size_t i) { return records_[i]; }
  const Record& operator[](std::size_t i) const { return records_[i]; }
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }
  void reserve(std::size_t n) { records_.reserve(n); }

 private:
  std::vector<Record> records_;
};

template <class Record>
template <class Visit>
void RecordList<Record>::walk(Visit&& visit) {
  for (std::size_t i = 0; i < records_.size();) {
    Walk walk(*this, i);
    visit(records_[i], walk);
    i += 1 + walk.skip_;
  }
}

}  // namespace sky
