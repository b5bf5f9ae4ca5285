#include "data/dia_members.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

std::string DiaMemberHandler::Format(const DiaFile& file) const {
  MemberWriter out;
  Write(file, out);
  return out.Take();
}

bool DiaMemberHandler::Read(std::string_view text, int version, DiaFile& file,
                            std::string* problem) const {
  return ReadRows(HeldBy(version) ? text : std::string_view(), version, file, problem);
}

bool DiaMemberHandler::CheckReferences(const DiaFile& /*file*/, std::string* /*problem*/) const {
  return true;
}

std::size_t DiaMemberHandler::Listed(const DiaFile& /*file*/) const { return 0; }

int DiaMemberHandler::HighestReferable(const DiaFile& /*file*/) const { return 0; }

void DiaMemberHandler::FormatCompanions(const DiaFile& /*file*/,
                                        std::vector<BundleMember>& /*out*/) const {}

void DiaMemberHandler::ReadCompanions(int /*version*/, MapTableSource& /*source*/,
                                      DiaFile& /*file*/) const {}

std::span<const DiaMemberHandler* const> DiaMembers() {
  static const std::vector<const DiaMemberHandler*> members = [] {
    std::vector<const DiaMemberHandler*> all(CompiledMapMembers().begin(),
                                             CompiledMapMembers().end());
    all.insert(all.end(), TimetableMembers().begin(), TimetableMembers().end());
    // The handler of each member stands at the member's place.
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (static_cast<std::size_t>(all[i]->info().member) != i) std::abort();
    }
    if (all.size() != kDiaMemberCount) std::abort();
    return all;
  }();
  return members;
}

const DiaMemberHandler& HandlerOf(DiaMember member) {
  return *DiaMembers()[static_cast<std::size_t>(member)];
}

const std::vector<const DiaMemberHandler*>& DiaMembersByHeaderOrder() {
  static const std::vector<const DiaMemberHandler*> members = [] {
    std::vector<const DiaMemberHandler*> list(DiaMembers().begin(), DiaMembers().end());
    std::stable_sort(list.begin(), list.end(), [](const auto* a, const auto* b) {
      return a->info().header_rank < b->info().header_rank;
    });
    return list;
  }();
  return members;
}

const std::vector<SizeKey>& SizeKeys() {
  static const std::vector<SizeKey> keys = [] {
    std::vector<SizeKey> list;
    for (const DiaMemberHandler* handler : DiaMembers()) {
      if (handler->info().size.key != nullptr) list.push_back(handler->info().size);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const SizeKey& a, const SizeKey& b) { return a.rank < b.rank; });
    return list;
  }();
  return keys;
}

bool CheckReferences(std::span<const DiaMemberHandler* const> members, const DiaFile& file,
                     std::string* problem) {
  for (const DiaMemberHandler* handler : members) {
    if (!handler->CheckReferences(file, problem)) return false;
  }
  return true;
}

std::string RecordProblem(const char* record, int number, std::string_view what) {
  std::string text = record;
  text += ' ';
  text += std::to_string(number);
  text += ": ";
  text += what;
  return text;
}

}  // namespace corvane
