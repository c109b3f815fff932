#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TreeInvariant.h"
#include "treelist/TreeList.h"
#include "treelist/model/NodeStream.h"
#include "treelist/model/TreeListErrors.h"

namespace {

class TBytes {
 public:
  TBytes& Int(int32_t v) {
    for (int i = 0; i < 4; ++i)
      Data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  TBytes& Byte(uint8_t v) {
    Data.push_back(v);
    return *this;
  }
  TBytes& Text(const std::string& s) {
    Data.insert(Data.end(), s.begin(), s.end());
    return *this;
  }
  // Header of a node: size, image, selected, state, data, children, texts.
  TBytes& Header(int32_t children, int32_t texts, int32_t size = 24) {
    Int(size).Int(1).Int(2).Int(3).Int(77).Int(children).Int(texts);
    for (int i = 24; i < size; ++i) Byte(0xEE);
    return *this;
  }
  std::vector<uint8_t> Data;
};

void Read(TTreeList& tree, const std::vector<uint8_t>& bytes) {
  ReadNodeStream(tree, bytes.data(), bytes.size());
}

void FillSample(TTreeList& tree) {
  TTreeListNode* site = tree.Add();
  site->SetStrings(0, "Cratfield");
  site->SetStrings(1, "2000");
  site->SetData(5);
  site->SetImageIndex(2);
  TTreeListNode* tank = site->AddChild();
  tank->SetStrings(0, "1/Cratfield");
  tank->SetStateIndex(4);
  tree.Add()->SetStrings(2, std::string(300, 'x'));
}

}  // namespace

TEST(NodeStream, RoundTripsBothVersions) {
  TTreeList source;
  FillSample(source);
  TTreeList copy;
  const auto written = WriteNodeStream(source);
  Read(copy, written);
  EXPECT_EQ(copy.StreamVersion(), -1);
  EXPECT_EQ(WriteNodeStream(copy), written);
  const TTreeListNode* site = copy.Items(0);
  EXPECT_EQ(site->Strings(1), "2000");
  EXPECT_EQ(site->Data(), 5u);
  EXPECT_EQ(site->ImageIndex(), 2);
  EXPECT_EQ(site->Items(0)->StateIndex(), 4);
  EXPECT_EQ(copy.Items(1)->Strings(2).size(), 300u);

  // Version 0 holds one-byte lengths, so the long text cannot go into it.
  EXPECT_THROW(WriteNodeStream(source, 0), ENodeStreamError);
  source.Items(1)->Delete();
  const auto old = WriteNodeStream(source, 0);
  Read(copy, old);
  EXPECT_EQ(copy.StreamVersion(), 0);
  EXPECT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Items(0)->Items(0)->Strings(0), "1/Cratfield");
  EXPECT_TRUE(RowsAgree(copy));
}

TEST(NodeStream, LengthWidthFollowsTheMarker) {
  TTreeList tree;
  // Version 0: no marker, text lengths are single bytes.
  Read(tree, TBytes().Int(1).Header(0, 2).Byte(2).Text("ab").Byte(0).Data);
  EXPECT_EQ(tree.Items(0)->Strings(0), "ab");
  EXPECT_EQ(tree.Items(0)->StringCount(), 2);
  // Marker -1: 32-bit lengths, and a longer header is skipped.
  Read(tree, TBytes().Int(-1).Int(1).Header(1, 1, 32).Int(3).Text("abc").Header(0, 0).Data);
  EXPECT_EQ(tree.Items(0)->Strings(0), "abc");
  EXPECT_EQ(tree.Items(0)->Data(), 77u);
  EXPECT_EQ(tree.Items(0)->Count(), 1);
}

// Damaged streams raise one error type and leave the tree exactly as it was.
TEST(NodeStream, DamagedStreamsLeaveTheTreeUnchanged) {
  TTreeList tree;
  FillSample(tree);
  const auto before = WriteNodeStream(tree);
  int deletions = 0;
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode*) { ++deletions; };

  std::vector<uint8_t> truncated = before;
  truncated.resize(truncated.size() - 5);
  std::vector<uint8_t> deep = TBytes().Int(-1).Int(1).Data;
  for (int level = 0; level <= kNodeStreamMaxDepth; ++level) {
    TBytes node;
    node.Header(1, 0);
    deep.insert(deep.end(), node.Data.begin(), node.Data.end());
  }
  const std::vector<std::vector<uint8_t>> damaged{
      {},
      TBytes().Int(-1).Data,
      truncated,
      TBytes().Int(-1).Int(0x7FFFFFFF).Header(0, 0).Data,         // count beyond the data
      TBytes().Int(-1).Int(-3).Data,                              // negative count
      TBytes().Int(-1).Int(1).Int(12).Int(0).Int(0).Int(0).Data,  // header shorter than 24
      TBytes().Int(-1).Int(1).Int(1 << 30).Data,                  // header past the end
      TBytes().Int(-1).Int(1).Header(0, 0x7FFFFFFF).Data,         // text count beyond the data
      TBytes().Int(-1).Int(1).Header(0, -5).Data,                 // negative text count
      TBytes().Int(-1).Int(1).Header(0, 1).Int(-1).Data,          // negative text length
      TBytes().Int(-1).Int(1).Header(0, 1).Int(100).Text("abc").Data,
      TBytes().Int(1).Header(0, 1).Byte(9).Text("abc").Data,  // version 0, short text
      TBytes().Int(-1).Int(1).Header(-2, 0).Data,             // negative child count
      deep,
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    EXPECT_THROW(Read(tree, damaged[i]), ENodeStreamError) << "case " << i;
    EXPECT_EQ(WriteNodeStream(tree), before) << "case " << i;
  }
  EXPECT_EQ(deletions, 0);
}

TEST(NodeStream, NestingUpToTheLimitIsAccepted) {
  std::vector<uint8_t> bytes = TBytes().Int(-1).Int(1).Data;
  for (int level = 0; level < kNodeStreamMaxDepth; ++level) {
    TBytes node;
    node.Header(level + 1 < kNodeStreamMaxDepth ? 1 : 0, 0);
    bytes.insert(bytes.end(), node.Data.begin(), node.Data.end());
  }
  TTreeList tree;
  Read(tree, bytes);
  TTreeListNode* n = tree.Items(0);
  while (n->Count()) n = n->Items(0);
  EXPECT_EQ(n->Level(), kNodeStreamMaxDepth - 1);
}
