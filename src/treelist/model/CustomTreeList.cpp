#include "treelist/model/CustomTreeList.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "treelist/model/TreeListErrors.h"

void TCustomTreeList::FinishChange() {
  if (--FChangeDepth == 0 && FPendingError)
    std::rethrow_exception(std::exchange(FPendingError, nullptr));
}

template <class Fn>
void TCustomTreeList::Guarded(Fn&& fn) {
  if (FChangeDepth == 0) {
    fn();
    return;
  }
  try {
    fn();
  } catch (...) {
    if (!FPendingError) FPendingError = std::current_exception();
  }
}

TCustomTreeList::TCustomTreeList() = default;

TCustomTreeList::~TCustomTreeList() {
  DestroyNodes();
}

void TCustomTreeList::DestroyNodes() noexcept {
  if (FDestroying) return;
  FDestroying = true;
  FView = &FNoView;
  try {
    ClearNodes();
  } catch (...) {
    // A deletion handler that raises while the control goes away has nobody to tell.
  }
}

std::unique_ptr<TTreeListNode> TCustomTreeList::CreateNode() {
  return std::make_unique<TTreeListNode>(this);
}

std::unique_ptr<TTreeListNode> TCustomTreeList::NewNode() {
  auto node = CreateNode();
  if (!node || node->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  return node;
}

TTreeListNode* TCustomTreeList::Add() {
  auto node = NewNode();
  TTreeListNode* result = node.get();
  FNodes.push_back(std::move(node));
  NodeAdded(result);
  return result;
}

TTreeListNode* TCustomTreeList::Items(int index) const {
  return index >= 0 && index < Count() ? FNodes[index].get() : nullptr;
}

void TCustomTreeList::SetTopVisibleNode(TTreeListNode* node) {
  // A node of another tree would outlive its deletion here.
  if (node && node->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  FTopVisibleNode = node;
  View().TopNodeChanged();
  Guarded([this] {
    if (OnChangeTopVisibleNode) OnChangeTopVisibleNode(this);
  });
}

void TCustomTreeList::ResetNodeReferences() {
  FAnchorNode = nullptr;
}

void TCustomTreeList::NodeAdded(TTreeListNode* node) {
  const auto change = ChangeScope();
  if (!FTopVisibleNode) SetTopVisibleNode(node);
  if (!FFocusedNode) FFocusedNode = FTopVisibleNode;
  if (!Locked()) {
    TTreeListNode* prior = node->GetPrevSibling();
    if (!prior) prior = node->Parent();
    if (FLoading || FDestroying)
      FRowIndex.Clear();  // queries walk the tree until the next rebuild
    else
      IndexInsert(node);
    NodeChanged(prior ? prior : node, true);
  } else if (FRowIndex.Built()) {
    FRowIndex.Clear();  // rebuilt when the update ends; queries walk the tree meanwhile
  }
  RequestResort();
}

void TCustomTreeList::IndexInsert(TTreeListNode* node) {
  if (!FRowIndex.Built() || !node->IsVisible()) return;
  int row = FRowIndex.Count();
  if (TTreeListNode* next = node->NextSkippingChildren()) {
    row = FRowIndex.RowOf(next);
    if (row < 0) {  // the index no longer matches the tree: start afresh
      RebuildVisibleRowIndex();
      View().RowIndexChanged(node, true);
      return;
    }
  }
  FRowIndex.Insert(node, row);
  // The row above is no longer the last of its parent; its measurement is stale.
  if (TTreeListNode* parent = node->Parent(); parent && parent->Count() > 1 && node->IsLast())
    parent->Items(parent->Count() - 2)->SetViewWord(0, 0);
  View().RowIndexChanged(node, true);
}

// Whether a node below this one is being deleted further up the call stack. The nodes in
// deletion are asked, not the subtree: a node whose handlers run is already out of its
// parent's list, but still names the parent, which must outlive it.
bool TCustomTreeList::DeletingBelow(const TTreeListNode* node) const {
  for (const TTreeListNode* going : FNodesInDeletion)
    for (const TTreeListNode* p = going->FParent; p; p = p->FParent)
      if (p == node) return true;
  return false;
}

void TCustomTreeList::DeleteNode(TTreeListNode* node) {
  const bool outermost = FNodesInDeletion.empty();
  // What handlers asked for meanwhile is done once the outermost deletion is over, also when
  // it raises.
  const auto deferred = OnScopeExit([this, outermost] {
    if (!outermost) return;
    RunDeferredDeletions();
    AnnounceMovedFocus();
  });
  DeleteNodeNow(node);
}

void TCustomTreeList::RunDeferredDeletions() {
  if (std::exchange(FClearDeferred, false)) {
    FDeferredDeletions.clear();
    ClearNodes();
  }
  while (!FDeferredDeletions.empty()) {
    TTreeListNode* node = FDeferredDeletions.front();
    FDeferredDeletions.erase(FDeferredDeletions.begin());
    DeleteNode(node);
  }
}

void TCustomTreeList::DeleteNodeNow(TTreeListNode* node) {
  if (node->FDeleting) return;  // a handler deleting a node that is already going
  // A deletion handler asking for an ancestor of the node being deleted: the ancestor cannot
  // go before that deletion has finished, so it goes after it.
  const bool fromHandler =
      !FNodesInDeletion.empty() && !(node->FParent && node->FParent->FDeleting);
  if (fromHandler && DeletingBelow(node)) {
    if (std::find(FDeferredDeletions.begin(), FDeferredDeletions.end(), node) ==
        FDeferredDeletions.end())
      FDeferredDeletions.push_back(node);
    return;
  }
  const auto change = ChangeScope();
  FNodesInDeletion.push_back(node);
  const auto done = OnScopeExit([this] { FNodesInDeletion.pop_back(); });
  node->FDeleting = true;
  while (!node->FChildren.empty()) DeleteNodeNow(node->FChildren.front().get());

  TTreeListNode* prior = node->GetPrevSibling();
  if (!prior) prior = node->FParent;
  TTreeListNode* next = node->NextSkippingChildren();
  const bool wasLast = node->IsLast();
  FDeletedNodeVisible = node->IsVisible();
  const bool visible = FDeletedNodeVisible && !(node->FParent && node->FParent->FDeleting);

  TTreeListNode::TNodeList& list = node->FParent ? node->FParent->FChildren : FNodes;
  auto it =
      std::find_if(list.begin(), list.end(), [node](const auto& n) { return n.get() == node; });
  std::unique_ptr<TTreeListNode> owned = std::move(*it);
  list.erase(it);
  if (TTreeListNode* parent = node->FParent; parent && list.empty()) {
    TTreeListNode::TNodeList().swap(list);
    parent->FHasChildren = false;
    parent->FExpanded = false;
  }
  NodeDeleted(node, prior, visible, wasLast, next);
  std::erase(FDeferredDeletions, node);
  owned.reset();
}

void TCustomTreeList::DeleteChildrenOf(TTreeListNode* node) {
  const auto change = ChangeScope();
  TDeletionWatch watch(*this);
  // A handler may delete the node itself, or keep a child that cannot go yet (one already
  // going further up the stack): those are stepped over, never waited for.
  size_t kept = 0;
  while (!watch.Gone(node) && node->FChildren.size() > kept) {
    TTreeListNode* child = node->FChildren[kept].get();
    if (!child->FDeleting) DeleteNode(child);
    if (!watch.Gone(child)) ++kept;
  }
}

void TCustomTreeList::MarkDeleting(TTreeListNode* node) {
  node->FDeleting = true;
  for (auto& child : node->FChildren) MarkDeleting(child.get());
}

void TCustomTreeList::AnnounceClearing(TTreeListNode* node) {
  // Children first, in list order; a handler may add children meanwhile, so count afresh.
  for (size_t i = 0; i < node->FChildren.size(); ++i) AnnounceClearing(node->FChildren[i].get());
  NodeDeleted(node, nullptr, false, false, nullptr);
}

void TCustomTreeList::NodeDeleted(TTreeListNode* node, TTreeListNode* prior, bool visible,
                                  bool /*wasLast*/, TTreeListNode* next) {
  if (FDeletionWatch) FDeletionWatch->Note(node);
  View().ForgetNode(node);
  // Read before the handler runs: a deletion inside it sets the flag for its own node.
  const bool deletedNodeVisible = FDeletedNodeVisible;
  TDeletionWatch watch(*this);
  Guarded([&] {
    if (OnDeletion) OnDeletion(this, node);
  });
  if (FClearing) return;
  // The handler may have deleted the neighbours this deletion was going to fall back on.
  if (watch.Gone(prior)) prior = nullptr;
  if (watch.Gone(next)) next = nullptr;
  if (!prior && !next && watch.Any() && !FNodes.empty()) next = FNodes.front().get();
  DeselectNode(node);
  if (FNodes.empty()) {
    if (!FDestroying) ClearViewCaches();
    SetTopVisibleNode(nullptr);
    FFocusedNode = nullptr;
    ResetNodeReferences();
    if (!Locked() && !FDestroying) {
      View().UpdateScrollRanges();
      View().RepaintAll();
    }
    return;
  }
  TTreeListNode* start = nullptr;
  if (node == FTopVisibleNode) {
    SetTopVisibleNode(prior);
    if (!FTopVisibleNode) SetTopVisibleNode(next);
    start = FTopVisibleNode;
  }
  const bool focusMoved = node == FFocusedNode;
  if (focusMoved) {
    FFocusedNode = prior ? prior : next;
    if (!start) start = FFocusedNode;
  }
  if (FAnchorNode == node) FAnchorNode = prior ? prior : next;
  if (deletedNodeVisible && !Locked() && !FDestroying && FRowIndex.Built()) {
    FRowIndex.Remove(node);
    View().RowIndexChanged(node, false);
  } else if (Locked() && FRowIndex.Built()) {
    FRowIndex.Clear();  // an index kept through the update would still hold the freed node
  }
  if (visible) {
    if (!start) start = prior ? prior : next;
    if (start) NodeChanged(start, true);
  }
  // The focus moved without OnChangeNode, but assistive technology follows every move; it
  // hears where the focus lands once the whole deletion is over.
  if (focusMoved) FFocusUnannounced = true;
  RequestResort();
}

void TCustomTreeList::NodeChanged(TTreeListNode* node, bool structural) {
  if (!node || node->FDeleting || Locked() || FDestroying || !node->IsVisible()) return;
  if (structural) {
    View().UpdateScrollRanges();
    View().RepaintFromRow(node);
  } else {
    View().RepaintRow(node);
  }
}

void TCustomTreeList::ClearNodes() {
  if (FClearing) return;  // asked by a handler of this very clearing
  // Asked by a deletion handler: the nodes on the stack of deletions must outlive it.
  if (!FNodesInDeletion.empty() && !FDestroying) {
    FClearDeferred = true;
    return;
  }
  FDeferredDeletions.clear();
  const auto change = ChangeScope();
  const auto lock = UpdateScope(!FDestroying);
  FClearing = true;
  ClearViewCaches();
  const auto restore = OnScopeExit([this, keepCaches = std::exchange(FKeepCaches, true)] {
    FKeepCaches = keepCaches;
    FClearing = false;
  });
  ClearSelection();
  SetTopVisibleNode(nullptr);
  FFocusedNode = nullptr;
  FFocusUnannounced = false;
  ResetNodeReferences();
  // Every handler is told while the whole tree still stands (no deletion from a handler
  // can start: every node is marked as going), and only then is anything freed.
  for (auto& node : FNodes) MarkDeleting(node.get());
  for (size_t i = 0; i < FNodes.size(); ++i) AnnounceClearing(FNodes[i].get());
  TTreeListNode::TNodeList nodes;
  nodes.swap(FNodes);
  // A handler may have pointed the tree at a node of the old forest.
  FSelection.clear();
  SetTopVisibleNode(nullptr);
  FFocusedNode = nullptr;
  ResetNodeReferences();
  nodes.clear();
}

void TCustomTreeList::BeginUpdate() {
  ++FUpdateLockCount;
  View().CancelInteraction();
  ClearViewCaches();
  OpenSelectionBatch();
}

void TCustomTreeList::EndUpdate() {
  if (FUpdateLockCount <= 0) {
    FUpdateLockCount = 0;
#ifndef NDEBUG
    throw EInvalidTreeListOperation("EndUpdate without BeginUpdate");
#else
    return;
#endif
  }
  const auto change = ChangeScope();
  bool refreshed = false;
  if (--FUpdateLockCount == 0 && !FLoading && !FDestroying) {
    // The refresh runs under a lock of its own, so nothing in it repaints row by row.
    FUpdateLockCount = 1;
    const auto release = OnScopeExit([this] { FUpdateLockCount = 0; });
    View().RecomputeMetrics();
    ClearViewCaches();
    // A failing sort (a comparison handler, say) must not leave the update half closed.
    Guarded([&] { PerformPendingResort(); });
    RebuildVisibleRowIndex();
    View().RepaintAll();
    refreshed = true;
  }
  CloseSelectionBatch();
  // The scroll bars are measured from the finished row index, once the lock is gone.
  if (refreshed) View().UpdateScrollRanges();
  AnnounceMovedFocus();
}

void TCustomTreeList::EndLoading() {
  if (!FLoading) return;
  FLoading = false;
  Loaded();
}

// Pre-order over the forest with an explicit stack: sibling navigation is a linear search,
// so a walk by GetNext would be quadratic on wide lists. Stops when fn returns true.
template <class Fn>
void TCustomTreeList::Visit(bool visibleOnly, Fn&& fn) const {
  struct TFrame {
    const TTreeListNode::TNodeList* List;
    size_t Next;
  };
  std::vector<TFrame> stack{{&FNodes, 0}};
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.Next == frame.List->size()) {
      stack.pop_back();
      continue;
    }
    // Nodes lie apart on the heap: asking for the ones a few steps ahead hides the wait.
    if (frame.Next + kPrefetchAhead < frame.List->size())
      __builtin_prefetch((*frame.List)[frame.Next + kPrefetchAhead].get());
    TTreeListNode* node = (*frame.List)[frame.Next++].get();
    if (fn(node)) return;
    if (!node->FChildren.empty() && (node->FExpanded || !visibleOnly))
      stack.push_back({&node->FChildren, 0});
  }
}

void TCustomTreeList::ClearViewCaches() {
  if (FKeepCaches) return;
  FRowIndex.Clear();
  // Only a word that was set needs resetting: on a large tree the walk would cost more than
  // the work around it.
  if (!FClearing && !FDestroying && FViewWordsSet) {
    Visit(false, [](TTreeListNode* n) {
      n->FViewWords[0] = 0;
      return false;
    });
    FViewWordsSet = false;
  }
  View().ViewCachesCleared();
}

void TCustomTreeList::ForEachNode(const std::function<void(TTreeListNode*)>& fn) const {
  Visit(false, [&fn](TTreeListNode* n) {
    fn(n);
    return false;
  });
}

void TCustomTreeList::RebuildVisibleRowIndex() {
  FRowIndex.StartRebuild();
  Visit(true, [this](TTreeListNode* n) {
    FRowIndex.AppendRow(n);
    return false;
  });
  FRowIndex.FinishRebuild();
}

int TCustomTreeList::RowOfNode(const TTreeListNode* node) const {
  if (!node || FNodes.empty()) return -1;
  if (IndexUsable()) return FRowIndex.RowOf(node);
  if (!node->IsVisible()) return -1;
  int row = -1, at = 0;
  Visit(true, [&](TTreeListNode* n) {
    if (n == node) row = at;
    ++at;
    return row >= 0;
  });
  return row;
}

int TCustomTreeList::VisibleCount() const {
  if (IndexUsable()) return FRowIndex.Count();
  int count = 0;
  Visit(true, [&count](TTreeListNode*) {
    ++count;
    return false;
  });
  return count;
}

TTreeListNode* TCustomTreeList::AbsoluteNodes(int row) const {
  if (row < 0) return nullptr;
  if (IndexUsable()) return FRowIndex.NodeAt(row);
  TTreeListNode* found = nullptr;
  int at = 0;
  Visit(true, [&](TTreeListNode* n) {
    if (at++ == row) found = n;
    return found != nullptr;
  });
  return found;
}

TTreeListNode* TCustomTreeList::LastVisibleNode() const {
  return FNodes.empty() ? nullptr : FNodes.back()->DeepestVisibleLast();
}

void TCustomTreeList::MoveNodeValues(int from, int to) {
  ForEachNode([from, to](TTreeListNode* n) { n->MoveValue(from, to); });
}

void TCustomTreeList::DeleteNodeValues(int index) {
  ForEachNode([index](TTreeListNode* n) { n->DeleteValue(index); });
}

void TCustomTreeList::ForEachVisibleNode(const std::function<void(TTreeListNode*)>& fn) const {
  Visit(true, [&fn](TTreeListNode* n) {
    fn(n);
    return false;
  });
}

TTreeListNode::TNodeList& TCustomTreeList::NodeList(TTreeListNode* parent) {
  return parent ? parent->FChildren : FNodes;
}
