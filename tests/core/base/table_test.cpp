#include "base/table.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

struct Item {
  int id = 0;
};

std::vector<int> Ids(const Table<Item>& table) {
  std::vector<int> ids;
  for (const Item& item : table) ids.push_back(item.id);
  return ids;
}

TEST(TableTest, AppendNumbersFromOneAndRefusesWhenFull) {
  Table<Item> table(3);
  EXPECT_EQ(table.Append({1}), 1);
  EXPECT_EQ(table.Append({2}), 2);
  EXPECT_EQ(table.Append({3}), 3);
  EXPECT_EQ(table.Append({4}), 0);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(table[0].id, 0);  // the null record

  Table<Item> none(0);
  EXPECT_EQ(none.Append({1}), 0);
  EXPECT_TRUE(none.empty());
}

TEST(TableTest, DeleteMovesLaterRecordsDown) {
  Table<Item> table(4);
  for (int i = 1; i <= 4; ++i) table.Append({i});
  table.Delete(2);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3, 4}));
  // The freed slot is a null record again, not a stale copy of the last.
  EXPECT_EQ(table.Slot(4).id, 0);
  table.Delete(3);  // the last one
  table.Delete(0);
  table.Delete(3);
  table.Delete(-1);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3}));
  // A table that was full takes a record again.
  EXPECT_EQ(table.Append({5}), 3);
  EXPECT_EQ(table.Append({6}), 4);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3, 5, 6}));
}

TEST(TableTest, StoreUnderANumber) {
  Table<Item> table(10);
  table.Append({1});
  EXPECT_TRUE(table.Store(5, {5}));
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 0, 0, 0, 5}));
  EXPECT_TRUE(table.Store(2, {2}));  // below the count: the count stays
  EXPECT_TRUE(table.Store(3, {3}));
  EXPECT_EQ(table.count(), 5);
  EXPECT_FALSE(table.Store(11, {11}));
  EXPECT_FALSE(table.Store(-1, {-1}));
  EXPECT_TRUE(table.Store(10, {10}));
  EXPECT_TRUE(table.full());

  // A reader lowers the count and stores a later number again: the records
  // in between keep what they held.
  table.SetCount(2);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 2}));
  table.Store(5, {50});
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 2, 3, 0, 50}));

  table[0].id = 99;
  table.Clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table[0].id, 0);
  EXPECT_EQ(table.Append({1}), 1);
}

TEST(TableTest, ARecordOfTheTableItselfCanBeCopiedWhileItGrows) {
  // Growing moves the records; the copy is taken before that.
  Table<std::vector<int>> table(64);
  table.Append(std::vector<int>(100, 7));
  for (int n = 0; n < 40; ++n) table.Append(table[1]);
  table.Insert(1, table[table.count()]);
  table.Store(table.count() + 1, table[2]);
  ASSERT_EQ(table.count(), 43);
  for (const std::vector<int>& record : table) EXPECT_EQ(record, std::vector<int>(100, 7));
}

}  // namespace
}  // namespace corvane
