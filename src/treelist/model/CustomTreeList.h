#pragma once

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Control.h"
#include "platform/ScopeGuard.h"
#include "treelist/TreeListExport.h"
#include "treelist/model/TreeListNode.h"
#include "treelist/model/TreeListOptions.h"
#include "treelist/model/TreeListView.h"
#include "treelist/model/VisibleRowIndex.h"

enum TTreeListFocusMove { fmFirst, fmPrevious, fmNext, fmLast };

// How many sibling nodes ahead a walk over the tree asks the memory for.
inline constexpr size_t kPrefetchAhead = 4;

// The node model of the tree-list: top-level nodes, focus and top row, the update lock, the
// notifications by which structure changes reach the view, and the visible-row index. It is a
// control, so the classes that draw it can be given a window; the model works without one.
class LISTCHART_TREELIST_API TCustomTreeList : public TControl {
 public:
  TCustomTreeList();
  virtual ~TCustomTreeList();
  TCustomTreeList(const TCustomTreeList&) = delete;
  TCustomTreeList& operator=(const TCustomTreeList&) = delete;

  TTreeListNode* Add();
  void ClearNodes();
  int Count() const { return static_cast<int>(FNodes.size()); }
  TTreeListNode* Items(int index) const;

  void BeginUpdate();
  void EndUpdate();
  // Holds the update lock until the returned guard goes, also when the work in between
  // raises: `const auto lock = tree.UpdateScope();`. Takes nothing when take is false.
  [[nodiscard]] auto UpdateScope(bool take = true) {
    if (take) BeginUpdate();
    return OnScopeExit([this, take] {
      if (take) EndUpdate();
    });
  }
  int UpdateLockCount() const { return FUpdateLockCount; }
  bool Locked() const { return FUpdateLockCount > 0; }

  int VisibleCount() const;
  TTreeListNode* AbsoluteNodes(int row) const;
  TTreeListNode* LastVisibleNode() const;

  TTreeListNode* FocusedNode() const { return FFocusedNode; }
  TTreeListNode* TopVisibleNode() const { return FTopVisibleNode; }
  void SetTopVisibleNode(TTreeListNode* node);
  // Shows row (a visible-row position, clamped) first; the view scrolls its contents.
  void ScrollToRow(int row);
  int StreamVersion() const { return FStreamVersion; }

  bool Loading() const { return FLoading; }
  bool Destroying() const { return FDestroying; }
  bool Clearing() const { return FClearing; }

  // The painting, input, sorting and selection side; without one of its own the tree-list
  // uses the control's view, or none. Null goes back to that default.
  void SetView(TTreeListView* view) { FView = view ? view : FDefaultView; }
  TTreeListView& View() const { return *FView; }

  // Rebuilds the visible-row index from the tree (after an expansion change).
  void RebuildVisibleRowIndex();
  // Empties the view caches, the visible-row index among them.
  void ClearViewCaches();
  const TVisibleRowIndex& RowIndex() const { return FRowIndex; }

  // Values follow their columns in every node the tree-list holds.
  void MoveNodeValues(int from, int to);
  void DeleteNodeValues(int index);
  // Calls fn for every node in pre-order, expanded or not.
  void ForEachNode(const std::function<void(TTreeListNode*)>& fn) const;

  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnDeletion;
  std::function<void(TCustomTreeList* sender)> OnChangeTopVisibleNode;
  std::function<void(TCustomTreeList* sender, TTreeListNode* oldNode, TTreeListNode* node)>
      OnChangeNode;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetImageIndex;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetSelectedIndex;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetStateIndex;

  // The range-selection anchor; cleared when its node leaves.
  TTreeListNode* AnchorNode() const { return FAnchorNode; }
  void SetAnchorNode(TTreeListNode* node) { FAnchorNode = node; }

  // Expanding and collapsing every node, in one update.
  void FullExpand();
  void FullCollapse();
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnExpanding;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnCollapsing;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnExpanded;
  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnCollapsed;

  // Focus. The focus moves but is never removed here; column is a display position.
  virtual void SetFocusedNode(TTreeListNode* node, int column, bool makeVisible);
  int FocusedColumn() const;
  int FocusedAbsoluteIndex() const;
  void SetFocusedAbsoluteIndex(int index);
  TTreeListNode* MoveFocus(TTreeListFocusMove kind, bool deep);
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int column)> OnChangeColumn;

  // Selection of several nodes, kept in creation order; only with aoMultiSelect.
  int SelectedCount() const { return static_cast<int>(FSelection.size()); }
  TTreeListNode* Selections(int index) const;
  const std::vector<TTreeListNode*>& SelectionList() const { return FSelection; }
  void ClearSelection();
  void SelectRange(TTreeListNode* a, TTreeListNode* b);
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnCanNodeSelected;
  std::function<void(TCustomTreeList* sender)> OnSelectedCountChange;

  // Counts changes of node texts, so that a view can tell whether what it shows is stale.
  uint64_t ValueChanges() const { return FValueChanges; }
  void NoteValueChange() { ++FValueChanges; }

  // A node change may call for a new sort; the control decides.
  virtual void RequestResort() {}

  // Whether nodes may take a caller's Data value.
  virtual bool AllowNodeData() const { return false; }

  // Makes the nodes of a stream: the reader fills them here after it has parsed all bytes.
  void SetStreamVersion(int version) { FStreamVersion = version; }
  void BeginLoading() { FLoading = true; }
  // Ends loading with the after-load step: what the load stored directly is made whole.
  void EndLoading();

 protected:
  // The options and columns live in the control; the bare model has none of them.
  virtual bool HasOption(TTreeListOption /*option*/) const { return false; }
  virtual int DisplayedColumnCount() const { return 0; }
  virtual void PerformPendingResort() {}
  // After a load: the derived tables, sort keys and layout rebuilt from what was stored.
  virtual void Loaded() {}
  void OpenSelectionBatch();
  void CloseSelectionBatch();
  void DeselectNode(TTreeListNode* node);
  // Calls fn for every visible row in display order, without the row index.
  void ForEachVisibleNode(const std::function<void(TTreeListNode*)>& fn) const;
  // The top-level list and a node's children, for reordering them in place.
  TTreeListNode::TNodeList& NodeList(TTreeListNode* parent);

  virtual std::unique_ptr<TTreeListNode> CreateNode();
  virtual void NodeAdded(TTreeListNode* node);
  virtual void NodeDeleted(TTreeListNode* node, TTreeListNode* prior, bool visible, bool wasLast,
                           TTreeListNode* next);
  virtual void NodeChanged(TTreeListNode* node, bool structural);
  // Deletes every node without the update lock; a derived destructor calls this first.
  void DestroyNodes() noexcept;
  void SetFocusedNodeSilently(TTreeListNode* node) { FFocusedNode = node; }
  // The view a control brings along; null removes it (before the view itself goes).
  void SetDefaultView(TTreeListView* view) {
    TTreeListView* next = view ? view : &FNoView;
    if (FView == FDefaultView) FView = next;
    FDefaultView = next;
  }

 private:
  friend class TTreeListNode;

  // An event handler that raises during a structure change must not leave the model half
  // updated: the first error is held until the outermost change has finished, then raised.
  [[nodiscard]] auto ChangeScope() {
    ++FChangeDepth;
    return OnScopeExit([this] { FinishChange(); });
  }
  void FinishChange();
  template <class Fn>
  void Guarded(Fn&& fn);

  std::unique_ptr<TTreeListNode> NewNode();
  uint64_t NextSequence() { return ++FSequence; }
  void FireChangeTopVisibleNode();
  void ResetNodeReferences();
  template <class Fn>
  void Visit(bool visibleOnly, Fn&& fn) const;
  int RowOfNode(const TTreeListNode* node) const;
  bool IndexUsable() const { return FRowIndex.Usable() && !FDestroying; }
  void IndexInsert(TTreeListNode* node);
  void DeleteNode(TTreeListNode* node);
  void DeleteNodeNow(TTreeListNode* node);
  void RunDeferredDeletions();
  bool DeletingBelow(const TTreeListNode* node) const;
  void DeleteChildrenOf(TTreeListNode* node);
  void MarkDeleting(TTreeListNode* node);
  void AnnounceClearing(TTreeListNode* node);
  // Tells assistive technology of a focus move once nothing is locked or being deleted.
  void AnnounceMovedFocus();
  // Expanding and collapsing, focus and selection of single nodes, reached through the node.
  void SetNodeExpanded(TTreeListNode* node, bool value);
  void MoveRowsOfExpansion(TTreeListNode* node, bool expanded);
  void ExpandTree(TTreeListNode* node, bool value, bool recurse);
  void MakeNodeVisible(TTreeListNode* node);
  bool IsNodeSelected(const TTreeListNode* node) const;
  void SetNodeSelected(TTreeListNode* node, bool value);
  bool CanSelect(TTreeListNode* node);
  void SelectedCountChanged();

  TTreeListNode::TNodeList FNodes;
  TTreeListView FNoView;
  TTreeListView* FView = &FNoView;
  TTreeListView* FDefaultView = &FNoView;
  TVisibleRowIndex FRowIndex;
  TTreeListNode* FFocusedNode = nullptr;
  TTreeListNode* FTopVisibleNode = nullptr;
  TTreeListNode* FAnchorNode = nullptr;
  TTreeListNode* FRangeStart = nullptr;
  std::vector<TTreeListNode*> FSelection;
  int FSelectionBatch = 0;
  int FBatchSelectedCount = 0;
  int FFocusedColumn = 0;
  uint64_t FSequence = 0;
  uint64_t FValueChanges = 0;
  int FUpdateLockCount = 0;
  int FStreamVersion = 0;
  int FChangeDepth = 0;
  std::exception_ptr FPendingError;
  // Nodes destroyed while a handler runs, for a caller that still holds pointers to nodes.
  class TDeletionWatch {
   public:
    explicit TDeletionWatch(TCustomTreeList& tree) : FTree(tree), FOuter(tree.FDeletionWatch) {
      tree.FDeletionWatch = this;
    }
    ~TDeletionWatch() { FTree.FDeletionWatch = FOuter; }
    TDeletionWatch(const TDeletionWatch&) = delete;
    TDeletionWatch& operator=(const TDeletionWatch&) = delete;
    bool Gone(const TTreeListNode* node) const {
      return std::find(FGone.begin(), FGone.end(), node) != FGone.end();
    }
    bool Any() const { return !FGone.empty(); }
    void Note(const TTreeListNode* node) {
      FGone.push_back(node);
      if (FOuter) FOuter->Note(node);
    }

   private:
    TCustomTreeList& FTree;
    TDeletionWatch* FOuter;
    std::vector<const TTreeListNode*> FGone;
  };
  TDeletionWatch* FDeletionWatch = nullptr;
  bool FClearing = false;
  bool FKeepCaches = false;
  bool FViewWordsSet = false;  // some node's first view word is not 0
  bool FDeletedNodeVisible = false;
  bool FFocusUnannounced = false;                      // moved inside an update or a deletion
  std::vector<const TTreeListNode*> FNodesInDeletion;  // DeleteNode calls on the stack
  // Deletions and a clearing that deletion handlers asked for while they could not be done.
  std::vector<TTreeListNode*> FDeferredDeletions;
  bool FClearDeferred = false;
  bool FLoading = false;
  bool FDestroying = false;
};
