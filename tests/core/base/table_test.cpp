#include "base/table.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

struct Item {
  int id = 0;
  int value = 0;
};

std::vector<int> Ids(const Table<Item>& table) {
  std::vector<int> ids;
  for (const Item& item : table) ids.push_back(item.id);
  return ids;
}

TEST(TableTest, AppendNumbersFromOneAndRefusesWhenFull) {
  Table<Item> table(3);
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.Append({1, 10}), 1);
  EXPECT_EQ(table.Append({2, 20}), 2);
  EXPECT_EQ(table.Append({3, 30}), 3);
  EXPECT_TRUE(table.full());
  EXPECT_EQ(table.Append({4, 40}), 0);
  EXPECT_EQ(table.count(), 3);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 2, 3}));
  // The null record is untouched by all of this.
  EXPECT_EQ(table[0].id, 0);

  Table<Item> none(0);
  EXPECT_EQ(none.Append({1, 1}), 0);
  EXPECT_EQ(none.count(), 0);
}

TEST(TableTest, DeleteMovesLaterRecordsDown) {
  Table<Item> table(5);
  for (int i = 1; i <= 4; ++i) table.Append({i, i * 10});
  table.Delete(2);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(table[2].value, 30);
  // The freed slot is a null record again, not a stale copy.
  EXPECT_EQ(table.Slot(4).id, 0);

  table.Delete(3);  // the last one
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3}));
  table.Delete(0);
  table.Delete(3);
  table.Delete(-1);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 3}));
  table.Delete(1);
  table.Delete(1);
  EXPECT_TRUE(table.empty());
  // A full table that lost a record takes one again.
  Table<Item> full(2);
  full.Append({1, 0});
  full.Append({2, 0});
  full.Delete(1);
  EXPECT_EQ(full.Append({3, 0}), 2);
  EXPECT_EQ(Ids(full), (std::vector<int>{2, 3}));
}

TEST(TableTest, StoreBeyondCountGrowsIt) {
  Table<Item> table(10);
  table.Append({1, 0});
  EXPECT_TRUE(table.Store(5, {5, 50}));
  EXPECT_EQ(table.count(), 5);
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 0, 0, 0, 5}));
  EXPECT_TRUE(table.Contains(5));
  EXPECT_FALSE(table.Contains(6));

  // Storing lower keeps the count; out-of-range numbers are refused.
  EXPECT_TRUE(table.Store(2, {2, 20}));
  EXPECT_EQ(table.count(), 5);
  EXPECT_FALSE(table.Store(11, {11, 0}));
  EXPECT_FALSE(table.Store(-1, {-1, 0}));
  EXPECT_TRUE(table.Store(10, {10, 0}));
  EXPECT_EQ(table.count(), 10);
  EXPECT_TRUE(table.full());
}

TEST(TableTest, StoreLeavesRecordsBetweenAsTheyWere) {
  // A reader lowers the count and stores a later number again: the records
  // in between keep their contents.
  Table<Item> table(10);
  for (int i = 1; i <= 4; ++i) table.Append({i, 0});
  table.SetCount(1);
  EXPECT_EQ(Ids(table), (std::vector<int>{1}));
  table.Store(4, {40, 0});
  EXPECT_EQ(Ids(table), (std::vector<int>{1, 2, 3, 40}));
}

TEST(TableTest, SlotAndSetCountFillInPlace) {
  Table<Item> table(8);
  table.Slot(3).id = 3;
  EXPECT_EQ(table.count(), 0);
  table.SetCount(3);
  EXPECT_EQ(Ids(table), (std::vector<int>{0, 0, 3}));
  table.SetCount(8);
  EXPECT_EQ(table.count(), 8);
  EXPECT_EQ(table[8].id, 0);

  table[0].id = 99;
  table.Clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table[0].id, 0);
  EXPECT_EQ(table.capacity(), 8);
  EXPECT_EQ(table.Append({1, 0}), 1);
}

}  // namespace
}  // namespace corvane
