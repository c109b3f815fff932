#include "treelist/model/NodeStream.h"

#include <string>

#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListErrors.h"

namespace {

constexpr int kHeaderSize = 24;
// The least a node record can take: its header size and header.
constexpr size_t kMinNodeBytes = 4 + kHeaderSize;

void PutInt(std::vector<uint8_t>& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void WriteNode(std::vector<uint8_t>& out, const TTreeListNode* node, bool longLengths) {
  PutInt(out, kHeaderSize);
  PutInt(out, node->ImageIndex());
  PutInt(out, node->SelectedIndex());
  PutInt(out, node->StateIndex());
  PutInt(out, static_cast<int32_t>(node->Data()));
  PutInt(out, node->Count());
  PutInt(out, node->StringCount());
  for (int i = 0; i < node->StringCount(); ++i) {
    const std::string text = node->Strings(i);
    if (longLengths)
      PutInt(out, static_cast<int32_t>(text.size()));
    else
      out.push_back(static_cast<uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
  }
}

struct TParsedNode {
  int32_t ImageIndex, SelectedIndex, StateIndex;
  uint32_t Data;
  int32_t ChildCount;
  std::vector<std::string> Texts;
};

class TStreamParser {
 public:
  TStreamParser(const uint8_t* data, size_t size) : FData(data), FLeft(size) {}

  int Version() const { return FVersion; }

  std::vector<TParsedNode> Parse() {
    int32_t count = Int("the stream header");
    if (count < 0) {
      FVersion = count;
      count = Int("the stream header");
    }
    CheckCount(count, kMinNodeBytes, "top-level node count");
    std::vector<TParsedNode> nodes;
    // Children still to read at each level of the node being read.
    std::vector<int32_t> pending{count};
    while (!pending.empty()) {
      if (pending.back() == 0) {
        pending.pop_back();
        continue;
      }
      --pending.back();
      nodes.push_back(Node());
      if (const int32_t children = nodes.back().ChildCount; children > 0) {
        if (pending.size() >= static_cast<size_t>(kNodeStreamMaxDepth))
          Fail("nodes nest deeper than " + std::to_string(kNodeStreamMaxDepth) + " levels");
        pending.push_back(children);
      }
    }
    return nodes;
  }

 private:
  [[noreturn]] static void Fail(const std::string& what) {
    throw ENodeStreamError("Invalid node data: " + what);
  }

  void Need(size_t bytes, const char* what) {
    if (bytes > FLeft) Fail(std::string("the stream ends inside ") + what);
  }

  int32_t Int(const char* what) {
    Need(4, what);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(FData[i]) << (8 * i);
    Skip(4);
    return static_cast<int32_t>(v);
  }

  void Skip(size_t bytes) {
    FData += bytes;
    FLeft -= bytes;
  }

  // Every counted item takes at least `each` bytes, so a count the rest cannot hold is false.
  void CheckCount(int32_t count, size_t each, const char* what) {
    if (count < 0) Fail(std::string("negative ") + what);
    if (static_cast<size_t>(count) > FLeft / each)
      Fail(std::string(what) + " exceeds the data present");
  }

  TParsedNode Node() {
    const int32_t headerSize = Int("a node header");
    if (headerSize < kHeaderSize) Fail("node header shorter than 24 bytes");
    Need(static_cast<size_t>(headerSize), "a node header");
    TParsedNode node;
    node.ImageIndex = Int("a node header");
    node.SelectedIndex = Int("a node header");
    node.StateIndex = Int("a node header");
    node.Data = static_cast<uint32_t>(Int("a node header"));
    node.ChildCount = Int("a node header");
    const int32_t textCount = Int("a node header");
    Skip(static_cast<size_t>(headerSize) - kHeaderSize);
    CheckCount(node.ChildCount, kMinNodeBytes, "child count");
    const bool longLengths = FVersion != 0;
    CheckCount(textCount, longLengths ? 4 : 1, "text count");
    node.Texts.reserve(static_cast<size_t>(textCount));
    for (int32_t i = 0; i < textCount; ++i) {
      size_t length = 0;
      if (longLengths) {
        const int32_t n = Int("a text length");
        if (n < 0) Fail("negative text length");
        length = static_cast<size_t>(n);
      } else {
        Need(1, "a text length");
        length = FData[0];
        Skip(1);
      }
      Need(length, "a text");
      node.Texts.emplace_back(reinterpret_cast<const char*>(FData), length);
      Skip(length);
    }
    return node;
  }

  const uint8_t* FData;
  size_t FLeft;
  int FVersion = 0;
};

// Creates the parsed nodes in the tree, which is empty by now.
void BuildNodes(TCustomTreeList& tree, const std::vector<TParsedNode>& nodes) {
  struct TLevel {
    TTreeListNode* Parent;
    int32_t Left;
  };
  std::vector<TLevel> levels;
  for (const TParsedNode& parsed : nodes) {
    while (!levels.empty() && levels.back().Left == 0) levels.pop_back();
    TTreeListNode* node = nullptr;
    if (levels.empty()) {
      node = tree.Add();
    } else {
      --levels.back().Left;
      node = levels.back().Parent->AddChild();
    }
    node->SetImageIndex(parsed.ImageIndex);
    node->SetSelectedIndex(parsed.SelectedIndex);
    node->SetStateIndex(parsed.StateIndex);
    node->SetData(parsed.Data);
    for (size_t i = 0; i < parsed.Texts.size(); ++i)
      node->SetStrings(static_cast<int>(i), parsed.Texts[i]);
    if (parsed.ChildCount > 0) levels.push_back({node, parsed.ChildCount});
  }
}

}  // namespace

std::vector<uint8_t> WriteNodeStream(const TCustomTreeList& tree, int version) {
  const bool longLengths = version != 0;
  std::vector<uint8_t> out;
  if (longLengths) PutInt(out, version < 0 ? version : -1);
  PutInt(out, tree.Count());
  tree.ForEachNode([&](TTreeListNode* node) {
    if (!longLengths)
      for (int i = 0; i < node->StringCount(); ++i)
        if (node->Strings(i).size() > 255)
          throw ENodeStreamError("A text longer than 255 bytes cannot be stored in version 0");
    WriteNode(out, node, longLengths);
  });
  return out;
}

void ReadNodeStream(TCustomTreeList& tree, const uint8_t* data, size_t size) {
  TStreamParser parser(data, size);
  const std::vector<TParsedNode> nodes = parser.Parse();
  tree.BeginUpdate();
  try {
    tree.ClearNodes();
    tree.SetStreamVersion(parser.Version());
    BuildNodes(tree, nodes);
  } catch (...) {
    tree.EndUpdate();
    throw;
  }
  tree.EndUpdate();
}
