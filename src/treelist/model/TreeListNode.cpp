#include "treelist/model/TreeListNode.h"

#include <algorithm>

#include "platform/Property.h"
#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListErrors.h"

namespace {
TCustomTreeList* RequireOwner(TCustomTreeList* owner) {
  if (!owner) throw EInvalidTreeListOperation(SInvalidOwner);
  return owner;
}
}  // namespace

TTreeListNode::TTreeListNode(TCustomTreeList* owner)
    : FOwner(RequireOwner(owner)), FSequence(owner->NextSequence()) {}

TTreeListNode::~TTreeListNode() = default;

TTreeListNode* TTreeListNode::InsertChild(TTreeListNode* before) {
  // Without children the reference cannot be one of them and is not consulted.
  auto at = FChildren.end();
  if (!FChildren.empty() && before) {
    at = std::find_if(FChildren.begin(), FChildren.end(),
                      [before](const auto& c) { return c.get() == before; });
    if (at == FChildren.end())
      throw EInvalidTreeListOperation("The reference node is not a child of this node");
  }
  auto node = FOwner->NewNode();
  TTreeListNode* result = node.get();
  result->FParent = this;
  FChildren.insert(at, std::move(node));
  SetHasChildren(true);
  FOwner->NodeAdded(result);
  return result;
}

void TTreeListNode::Delete() {
  FOwner->DeleteNode(this);
}

void TTreeListNode::DeleteChildren() {
  FOwner->DeleteChildrenOf(this);
}

TTreeListNode* TTreeListNode::Items(int index) const {
  return index >= 0 && index < Count() ? FChildren[index].get() : nullptr;
}

int TTreeListNode::IndexOf(const TTreeListNode* child) const {
  for (size_t i = 0; i < FChildren.size(); ++i)
    if (FChildren[i].get() == child) return static_cast<int>(i);
  return -1;
}

const TTreeListNode::TNodeList& TTreeListNode::Siblings() const {
  return FParent ? FParent->FChildren : FOwner->FNodes;
}

int TTreeListNode::Index() const {
  const auto& list = Siblings();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == this) return static_cast<int>(i);
  return -1;
}

int TTreeListNode::Level() const {
  int level = 0;
  for (auto* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeListNode* TTreeListNode::GetFirstChild() const {
  return FChildren.empty() ? nullptr : FChildren.front().get();
}

TTreeListNode* TTreeListNode::GetLastChild() const {
  return FChildren.empty() ? nullptr : FChildren.back().get();
}

TTreeListNode* TTreeListNode::GetNextSibling() const {
  const auto& list = Siblings();
  if (!list.empty() && list.back().get() == this) return nullptr;
  const int i = Index();
  return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[i + 1].get() : nullptr;
}

TTreeListNode* TTreeListNode::GetPrevSibling() const {
  const int i = Index();
  return i > 0 ? Siblings()[i - 1].get() : nullptr;
}

TTreeListNode* TTreeListNode::NextSkippingChildren() const {
  for (const TTreeListNode* n = this; n; n = n->FParent)
    if (auto* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeListNode* TTreeListNode::GetNext() const {
  return FChildren.empty() ? NextSkippingChildren() : FChildren.front().get();
}

TTreeListNode* TTreeListNode::GetPrev() const {
  TTreeListNode* prev = GetPrevSibling();
  if (!prev) return FParent;
  while (!prev->FChildren.empty()) prev = prev->FChildren.back().get();
  return prev;
}

TTreeListNode* TTreeListNode::DeepestVisibleLast() const {
  auto* n = const_cast<TTreeListNode*>(this);
  while (n->FExpanded && !n->FChildren.empty()) n = n->FChildren.back().get();
  return n;
}

TTreeListNode* TTreeListNode::GetNextVisible() const {
  const auto& index = FOwner->FRowIndex;
  if (index.Usable() && !FOwner->Destroying()) {
    const int row = index.RowOf(this);
    if (row >= 0) return index.NodeAt(row + 1);
  }
  if (FExpanded && !FChildren.empty()) return FChildren.front().get();
  return NextSkippingChildren();
}

TTreeListNode* TTreeListNode::GetPrevVisible() const {
  const auto& index = FOwner->FRowIndex;
  if (index.Usable() && !FOwner->Destroying()) {
    const int row = index.RowOf(this);
    if (row >= 0) return index.NodeAt(row - 1);
  }
  TTreeListNode* prev = GetPrevSibling();
  return prev ? prev->DeepestVisibleLast() : FParent;
}

bool TTreeListNode::IsLast() const {
  const auto& list = Siblings();
  return !list.empty() && list.back().get() == this;
}

bool TTreeListNode::IsVisible() const {
  for (auto* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

bool TTreeListNode::HasAsParent(const TTreeListNode* node) const {
  if (!node) return false;
  for (auto* p = FParent; p; p = p->FParent)
    if (p == node) return true;
  return false;
}

int TTreeListNode::AbsoluteIndex() const {
  return FOwner->RowOfNode(this);
}

void TTreeListNode::SetHasChildren(bool value) {
  SetProperty(FHasChildren, value || !FChildren.empty(),
              [this] { FOwner->NodeChanged(this, false); });
}

void TTreeListNode::SetViewWord(int i, uint32_t value) {
  FViewWords[i] = value;
  if (i == 0 && value != 0) FOwner->FViewWordsSet = true;
}

void TTreeListNode::RowChanged() {
  FOwner->NodeChanged(this, false);
}

void TTreeListNode::SetData(uint32_t value) {
  if (FOwner->AllowNodeData()) FData = value;
}

std::string TTreeListNode::Strings(int /*index*/) const {
  return {};
}

void TTreeListNode::SetStrings(int /*index*/, const std::string& /*text*/) {}

void TTreeListNode::SetValues(int index, const std::string& text) {
  SetStrings(index, text);
  if (!FOwner->Locked()) FOwner->NodeChanged(this, false);
}

// Text node.

namespace {

constexpr size_t kTypicalTextBlock = 47;

// One entry of a packed text block.
struct TTextEntry {
  size_t Start;   // offset of the entry (its length bytes)
  size_t Text;    // offset of the text bytes
  size_t Length;  // text length
  size_t End() const { return Text + Length; }
};

TTextEntry EntryAt(const std::string& block, size_t start) {
  size_t length = 0, at = start;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(block[at++]);
    length |= static_cast<size_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) break;
  }
  return {start, at, length};
}

void AppendEntry(std::string& block, const std::string& text) {
  size_t length = text.size();
  do {
    const auto low = static_cast<char>(length & 0x7F);
    length >>= 7;
    block.push_back(static_cast<char>(low | (length ? 0x80 : 0)));
  } while (length);
  block += text;
}

std::vector<std::string> Unpack(const std::string& block) {
  std::vector<std::string> texts;
  for (size_t at = 0; at < block.size();) {
    const TTextEntry e = EntryAt(block, at);
    texts.emplace_back(block, e.Text, e.Length);
    at = e.End();
  }
  return texts;
}

std::string Pack(const std::vector<std::string>& texts) {
  std::string block;
  for (const auto& text : texts) AppendEntry(block, text);
  return block;
}

}  // namespace

int TTreeListTextNode::StringCount() const {
  int count = 0;
  for (size_t at = 0; at < FTexts.size(); at = EntryAt(FTexts, at).End()) ++count;
  return count;
}

std::string TTreeListTextNode::Strings(int index) const {
  if (index < 0) return {};
  size_t at = 0;
  for (int i = 0; at < FTexts.size(); ++i) {
    const TTextEntry e = EntryAt(FTexts, at);
    if (i == index) return FTexts.substr(e.Text, e.Length);
    at = e.End();
  }
  return {};
}

void TTreeListTextNode::SetStrings(int index, const std::string& text) {
  if (index < 0) throw EInvalidTreeListOperation("Invalid value index");
  size_t at = 0;
  int i = 0;
  for (; at < FTexts.size() && i < index; ++i) at = EntryAt(FTexts, at).End();
  if (at < FTexts.size()) {
    const TTextEntry e = EntryAt(FTexts, at);
    std::string entry;
    AppendEntry(entry, text);
    FTexts.replace(e.Start, e.End() - e.Start, entry);
  } else {
    // One block for the usual handful of short texts, instead of growing it write by write.
    if (FTexts.empty()) FTexts.reserve(kTypicalTextBlock);
    FTexts.append(static_cast<size_t>(index - i), '\0');  // empty texts up to the index
    AppendEntry(FTexts, text);
  }
  Owner()->NoteValueChange();
  Owner()->RequestResort();
}

void TTreeListTextNode::MoveValue(int from, int to) {
  if (from < 0 || to < 0 || from == to) return;
  std::vector<std::string> texts = Unpack(FTexts);
  const size_t needed = static_cast<size_t>(std::max(from, to)) + 1;
  if (texts.size() < needed) texts.resize(needed);
  auto at = texts.begin();
  if (from < to)
    std::rotate(at + from, at + from + 1, at + to + 1);
  else
    std::rotate(at + to, at + from, at + from + 1);
  FTexts = Pack(texts);
}

void TTreeListTextNode::DeleteValue(int index) {
  if (index < 0) return;
  size_t at = 0;
  for (int i = 0; at < FTexts.size(); ++i) {
    const TTextEntry e = EntryAt(FTexts, at);
    if (i == index) {
      FTexts.erase(e.Start, e.End() - e.Start);
      return;
    }
    at = e.End();
  }
}

namespace {
int Effective(const std::function<void(TCustomTreeList*, TTreeListNode*, int&)>& event,
              TCustomTreeList* owner, const TTreeListNode* node, int stored) {
  if (event) event(owner, const_cast<TTreeListNode*>(node), stored);
  return stored;
}
}  // namespace

int TTreeListTextNode::ImageIndex() const {
  return Effective(Owner()->OnGetImageIndex, Owner(), this, FImageIndex);
}

int TTreeListTextNode::SelectedIndex() const {
  return Effective(Owner()->OnGetSelectedIndex, Owner(), this, FSelectedIndex);
}

int TTreeListTextNode::StateIndex() const {
  return Effective(Owner()->OnGetStateIndex, Owner(), this, FStateIndex);
}

void TTreeListTextNode::SetImageIndex(int value) {
  if (value != ImageIndex()) FImageIndex = value;
  RowChanged();
}

void TTreeListTextNode::SetSelectedIndex(int value) {
  if (value != SelectedIndex()) FSelectedIndex = value;
  RowChanged();
}

void TTreeListTextNode::SetStateIndex(int value) {
  if (value != StateIndex()) FStateIndex = value;
  RowChanged();
}
