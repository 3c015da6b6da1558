// The document's element list in drawing order, and the one-step undo buffer kept in its header.
#pragma once

#include <utility>
#include <vector>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "model/draw_entity.h"

namespace plenwick { class SnapPointList; }

namespace plenwick {

// Owns every element linked from head (and every element of the detached undo chains).
// Elements are individual heap records linked by prev/next, because undo works by detaching
// and re-attaching the very records; all linking goes through the functions of entity_core.h
// and undo.h, and the destructor frees whatever the list still owns.
struct EntityList {
  DrawEntity* head = nullptr;
  DrawEntity* tail = nullptr;
  DrawEntity* removedHead = nullptr;    // first element of the undo buffer's removed chain
  DrawEntity* removedTail = nullptr;    // its last element, kept while a deletion is collected
  DrawEntity* replacedFirst = nullptr;  // first element appended by the last replacing/adding block
  int32_t undoState = 0;
  // A change of drawing order (undo states 5, in effect, and 6, undone): the records moved, in
  // their former list order, each with the record it followed then (null: it was the head).
  std::vector<std::pair<DrawEntity*, DrawEntity*>> reordered;
  bool reorderedToEnd = false;  // moved to the end of the list, else to just after its head
  int32_t nextGroupNo = 1;
  // The document's characteristic points, when the list belongs to a document: an element that
  // is freed takes its points with it, so no point ever names a freed element.
  SnapPointList* snapPoints = nullptr;

  EntityList() = default;
  EntityList(const EntityList&) = delete;
  EntityList& operator=(const EntityList&) = delete;
  ~EntityList();

  bool empty() const { return head == nullptr; }
  std::size_t size() const;

  // Forward iteration over the linked elements (head to tail).
  template <typename E>
  class BasicIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = E;
    using difference_type = std::ptrdiff_t;
    using pointer = E*;
    using reference = E&;
    BasicIterator() = default;
    explicit BasicIterator(E* e) : e_(e) {}
    E& operator*() const { return *e_; }
    E* operator->() const { return e_; }
    BasicIterator& operator++() { e_ = e_->next; return *this; }
    BasicIterator operator++(int) { BasicIterator old = *this; e_ = e_->next; return old; }
    bool operator==(const BasicIterator& o) const { return e_ == o.e_; }
   private:
    E* e_ = nullptr;
  };
  using iterator = BasicIterator<DrawEntity>;
  using const_iterator = BasicIterator<const DrawEntity>;
  iterator begin() { return iterator(head); }
  iterator end() { return iterator(); }
  const_iterator begin() const { return const_iterator(head); }
  const_iterator end() const { return const_iterator(); }
};

}  // namespace plenwick
