#pragma once
// What one user action changed in a map, in the order it happened: records
// changed, records inserted and deleted as such, and the header. Applying
// the reverse in reverse order gives back the map exactly; reverting an
// action yields the action that redoes it.
//
// A changed record is kept whole while the action is being recorded; once
// it is done, only the bytes in which it differs from the record as the
// action left it are kept (a patch), so that a step setting one field on
// thousands of records costs little memory.

#include <any>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "map/map_records.h"

namespace corvane {

class MapAction {
 public:
  enum class OpKind : std::uint8_t {
    kModify,  // record `index` was changed; it was as the image or patch says
    kInsert,  // a record was inserted as `index`
    kDelete,  // record `index` was deleted; the image holds it
    kHeader,  // the header was changed; it was as the image or patch says
  };
  struct Op {
    OpKind kind;
    MapTable table;
    bool patched;             // kModify and kHeader: a patch instead of an image
    std::uint8_t image_type;  // which images the image is among
    int index;
    int image;  // position in the images of the record's type, -1 none
    std::uint32_t patch_begin;
    std::uint32_t patch_end;
  };

  const std::vector<Op>& ops() const { return ops_; }
  bool empty() const { return ops_.empty(); }
  // Roughly what the action holds in memory.
  std::size_t bytes() const {
    return sizeof(MapAction) + ops_.capacity() * sizeof(Op) + patches_.capacity() + image_bytes_;
  }

  template <typename Record>
  void Add(OpKind kind, MapTable table, int index, const Record& image) {
    ops_.push_back({kind, table, false, ImageType<Record>(), index, AddImage(image), 0, 0});
  }
  void AddInsert(MapTable table, int index) {
    ops_.push_back({OpKind::kInsert, table, false, 0, index, -1, 0, 0});
  }
  // Record `index` was `before` and is `after` now: only the bytes that
  // differ are kept.
  template <typename Record>
  void AddPatch(OpKind kind, MapTable table, int index, const Record& before, const Record& after);

  template <typename Record>
  const Record& Image(const Op& op) const {
    return std::get<std::vector<Record>>(images_)[static_cast<std::size_t>(op.image)];
  }
  // Gives `record` the bytes the patch of `op` holds, and records in
  // `inverse` the patch that takes them back.
  template <typename Record>
  void ApplyPatch(const Op& op, Record& record, MapAction& inverse) const;

  // Drops the ops for which `unchanged(op)` holds (changes that came to
  // nothing); images stay where they are.
  template <typename Pred>
  void DropOps(Pred unchanged) {
    std::erase_if(ops_, unchanged);
  }
  // Appends the ops of `later`, an action done right after this one: the
  // two become one step.
  void Append(const MapAction& later) {
    const auto shift = static_cast<std::uint32_t>(patches_.size());
    patches_.insert(patches_.end(), later.patches_.begin(), later.patches_.end());
    for (Op op : later.ops_) {
      if (op.patched) {
        op.patch_begin += shift;
        op.patch_end += shift;
      } else if (op.image >= 0) {
        op.image = CopyImage(later, op, std::make_index_sequence<kImageTypes>());
      }
      ops_.push_back(op);
    }
    state_after = later.state_after;
  }

  // What the action is called in the Undo and Redo commands.
  std::string name_japanese;
  std::string name_english;
  // The editor's own state before and after the action (selection, current
  // station), given back by undo and redo.
  std::any state_before;
  std::any state_after;

 private:
  using Images =
      std::tuple<std::vector<MapRail>, std::vector<MapPoint>, std::vector<MapStation>,
                 std::vector<MapTarget>, std::vector<MapStationDraw>, std::vector<MapJump>,
                 std::vector<MapNameEntry>, std::vector<MapDetail>, std::vector<MapSignalType>,
                 std::vector<SignalImageRecord>, std::vector<AspectColour>, std::vector<MapHeader>>;
  static constexpr std::size_t kImageTypes = std::tuple_size_v<Images>;

  template <typename Record, std::size_t I = 0>
  static constexpr std::uint8_t ImageType() {
    if constexpr (std::is_same_v<std::tuple_element_t<I, Images>, std::vector<Record>>) {
      return static_cast<std::uint8_t>(I);
    } else {
      return ImageType<Record, I + 1>();
    }
  }
  template <typename Record>
  int AddImage(const Record& image) {
    auto& images = std::get<std::vector<Record>>(images_);
    images.push_back(image);
    image_bytes_ += sizeof(Record);
    return static_cast<int>(images.size()) - 1;
  }
  template <std::size_t... I>
  int CopyImage(const MapAction& from, const Op& op, std::index_sequence<I...>) {
    int copied = -1;
    ((op.image_type == I
          ? (copied = AddImage(std::get<I>(from.images_)[static_cast<std::size_t>(op.image)]), 0)
          : 0),
     ...);
    return copied;
  }

  // A patch is a run of [offset][length][bytes] entries, offsets and
  // lengths as 32-bit numbers.
  static void PutNumber(std::vector<std::uint8_t>& out, std::uint32_t value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
  }
  static std::uint32_t GetNumber(const std::uint8_t* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }

  std::vector<Op> ops_;
  Images images_;
  std::vector<std::uint8_t> patches_;
  std::size_t image_bytes_ = 0;
};

template <typename Record>
void MapAction::AddPatch(OpKind kind, MapTable table, int index, const Record& before,
                         const Record& after) {
  static_assert(std::is_trivially_copyable_v<Record>, "records are patched byte by byte");
  const auto* old_bytes = reinterpret_cast<const std::uint8_t*>(&before);
  const auto* new_bytes = reinterpret_cast<const std::uint8_t*>(&after);
  // Runs of differing bytes; runs closer than a run header are joined.
  constexpr std::size_t kJoin = 2 * sizeof(std::uint32_t);
  const std::uint32_t begin = static_cast<std::uint32_t>(patches_.size());
  for (std::size_t i = 0; i < sizeof(Record);) {
    if (old_bytes[i] == new_bytes[i]) {
      ++i;
      continue;
    }
    std::size_t last = i;
    for (std::size_t j = i + 1; j < sizeof(Record) && j - last <= kJoin; ++j) {
      if (old_bytes[j] != new_bytes[j]) last = j;
    }
    PutNumber(patches_, static_cast<std::uint32_t>(i));
    PutNumber(patches_, static_cast<std::uint32_t>(last + 1 - i));
    patches_.insert(patches_.end(), old_bytes + i, old_bytes + last + 1);
    i = last + 1;
  }
  ops_.push_back({kind, table, true, ImageType<Record>(), index, -1, begin,
                  static_cast<std::uint32_t>(patches_.size())});
}

template <typename Record>
void MapAction::ApplyPatch(const Op& op, Record& record, MapAction& inverse) const {
  static_assert(std::is_trivially_copyable_v<Record>, "records are patched byte by byte");
  auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
  const std::uint32_t begin = static_cast<std::uint32_t>(inverse.patches_.size());
  const std::uint8_t* at = patches_.data() + op.patch_begin;
  const std::uint8_t* end = patches_.data() + op.patch_end;
  while (at < end) {
    const std::uint32_t offset = GetNumber(at);
    const std::uint32_t length = GetNumber(at + sizeof(std::uint32_t));
    at += 2 * sizeof(std::uint32_t);
    PutNumber(inverse.patches_, offset);
    PutNumber(inverse.patches_, length);
    inverse.patches_.insert(inverse.patches_.end(), bytes + offset, bytes + offset + length);
    std::memcpy(bytes + offset, at, length);
    at += length;
  }
  inverse.ops_.push_back({op.kind, op.table, true, op.image_type, op.index, -1, begin,
                          static_cast<std::uint32_t>(inverse.patches_.size())});
}

}  // namespace corvane
