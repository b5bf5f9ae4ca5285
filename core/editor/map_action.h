#pragma once
// What one user action changed in a map, in the order it happened: records
// changed (with their images from before), records inserted and deleted as
// such, and the header. Applying the reverse in reverse order gives back the
// map exactly; reverting an action yields the action that redoes it.

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

#include "editor/map_records.h"

namespace corvane {

class MapAction {
 public:
  enum class OpKind : std::uint8_t {
    kModify,  // record `index` was changed; the image holds it as it was
    kInsert,  // a record was inserted as `index`
    kDelete,  // record `index` was deleted; the image holds it
    kHeader,  // the header was changed; the image holds it as it was
  };
  struct Op {
    OpKind kind;
    MapTable table;
    int index;
    int image;  // position in the images of the record's type, -1 none
  };

  const std::vector<Op>& ops() const { return ops_; }
  bool empty() const { return ops_.empty(); }
  // Roughly what the action holds in memory.
  std::size_t bytes() const { return bytes_; }

  template <typename Record>
  void Add(OpKind kind, MapTable table, int index, const Record& image) {
    auto& images = std::get<std::vector<Record>>(images_);
    images.push_back(image);
    ops_.push_back({kind, table, index, static_cast<int>(images.size()) - 1});
    bytes_ += sizeof(Record) + sizeof(Op);
  }
  void AddInsert(MapTable table, int index) {
    ops_.push_back({OpKind::kInsert, table, index, -1});
    bytes_ += sizeof(Op);
  }

  template <typename Record>
  const Record& Image(const Op& op) const {
    return std::get<std::vector<Record>>(images_)[static_cast<std::size_t>(op.image)];
  }

  // Drops the ops for which `unchanged(op)` holds (changes that came to
  // nothing); images stay where they are.
  template <typename Pred>
  void DropOps(Pred unchanged) {
    std::erase_if(ops_, unchanged);
  }

 private:
  std::vector<Op> ops_;
  std::tuple<std::vector<MapRail>, std::vector<MapPoint>, std::vector<MapStation>,
             std::vector<MapTarget>, std::vector<MapStationDraw>, std::vector<MapJump>,
             std::vector<MapNameEntry>, std::vector<MapDetail>, std::vector<MapSignalType>,
             std::vector<SignalImageRecord>, std::vector<AspectColour>, std::vector<MapHeader>>
      images_;
  std::size_t bytes_ = 0;
};

}  // namespace corvane
