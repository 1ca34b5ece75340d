#pragma once
// The flat index of a document's elements: 32-byte entries addressed by a
// 32-bit position whose high 16 bits pick a block of 65536 entries and whose
// low 16 bits the entry in it. Position 0 is the document itself and doubles
// as "none" in the links.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace perix::markup {

struct ElementEntry {
  std::uint32_t start = 0;        // offset of the start tag in the text
  std::uint32_t length = 0;       // start tag to end of end tag (or to where the element was cut off)
  std::uint32_t tagLengths = 0;   // start-tag length (low 22 bits), end-tag length (high 10 bits)
  std::uint32_t flags = 0;
  std::uint32_t parent = 0;
  std::uint32_t firstChild = 0;
  std::uint32_t nextSibling = 0;
  std::uint32_t lastChild = 0;    // makes appending a child O(1)
};
static_assert(sizeof(ElementEntry) == 32);

enum ElementFlag : std::uint32_t {
  kFlagDocumentError = 1u << 0,  // on entry 0: an end-tag problem or damaged markup
  kFlagEmptyTag = 1u << 1,       // written as <name/>
  kFlagNotEnded = 1u << 2,       // no end tag of its own
  kFlagLongStartTag = 1u << 3,   // start tag too long for its field: rescan it
  kFlagLongEndTag = 1u << 4,     // end tag too long for its field: find it again
};

inline constexpr std::uint32_t kStartTagBits = 22;
inline constexpr std::uint32_t kStartTagMax = (1u << kStartTagBits) - 1;
inline constexpr std::uint32_t kEndTagMax = (1u << (32 - kStartTagBits)) - 1;

class ElementIndex {
 public:
  static constexpr std::uint32_t kBlockSize = 65536;

  // Empties the index, keeps the document entry, and makes room for
  // `expected` entries in one step.
  void Reset(std::size_t expected) {
    m_blocks.clear();
    m_count = 0;
    std::size_t remaining = expected < 1 ? 1 : expected;
    while (remaining > 0) {
      const std::size_t size = remaining < kBlockSize ? remaining : kBlockSize;
      m_blocks.emplace_back().reserve(size);
      remaining -= size;
    }
    Add();
  }

  // Appends a zeroed entry and returns its position. Only the last block
  // grows, so no entry ever moves once its block is full.
  std::uint32_t Add() {
    const std::uint32_t position = m_count;
    const std::size_t block = position >> 16;
    if (block >= m_blocks.size()) m_blocks.emplace_back().reserve(kBlockSize);
    m_blocks[block].emplace_back();
    ++m_count;
    return position;
  }

  ElementEntry& operator[](std::uint32_t position) { return m_blocks[position >> 16][position & 0xFFFF]; }
  const ElementEntry& operator[](std::uint32_t position) const {
    return m_blocks[position >> 16][position & 0xFFFF];
  }
  std::uint32_t size() const { return m_count; }

 private:
  std::vector<std::vector<ElementEntry>> m_blocks;
  std::uint32_t m_count = 0;
};

}  // namespace perix::markup
