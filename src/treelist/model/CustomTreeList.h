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

  // Adds a root node at the end and returns it, owned by the tree-list.
  TTreeListNode* Add();
  // Deletes every node (OnDeletion hears each); the focus, top row and selection go too.
  void ClearNodes();
  // The number of root nodes.
  int Count() const { return static_cast<int>(FNodes.size()); }
  // The root node at index; null out of range.
  TTreeListNode* Items(int index) const;

  // Takes the update lock: changes no longer repaint or re-sort one by one, and a running
  // mouse gesture is cancelled. Calls nest.
  void BeginUpdate();
  // Releases the lock; the last release re-sorts if needed, rebuilds the rows and repaints.
  void EndUpdate();
  // Holds the update lock until the returned guard goes, also when the work in between
  // raises: `const auto lock = tree.UpdateScope();`. Takes nothing when take is false.
  [[nodiscard]] auto UpdateScope(bool take = true) {
    if (take) BeginUpdate();
    return OnScopeExit([this, take] {
      if (take) EndUpdate();
    });
  }
  // How many BeginUpdate calls are still open.
  int UpdateLockCount() const { return FUpdateLockCount; }
  // Whether an update is open.
  bool Locked() const { return FUpdateLockCount > 0; }

  // The number of rows: nodes not hidden in a collapsed parent.
  int VisibleCount() const;
  // The node at a visible-row position; null out of range.
  TTreeListNode* AbsoluteNodes(int row) const;
  // The last row's node; null without nodes.
  TTreeListNode* LastVisibleNode() const;

  // The node with the focus; null only without nodes (the first node added takes it).
  TTreeListNode* FocusedNode() const { return FFocusedNode; }
  // The node of the first row shown.
  TTreeListNode* TopVisibleNode() const { return FTopVisibleNode; }
  // Sets the node of the first row shown and fires OnChangeTopVisibleNode; throws
  // EInvalidTreeListOperation for a node of another tree-list.
  void SetTopVisibleNode(TTreeListNode* node);
  // Shows row (a visible-row position, clamped) first; the view scrolls its contents.
  void ScrollToRow(int row);
  // The format version of the stream the nodes were last loaded from.
  int StreamVersion() const { return FStreamVersion; }

  // True between BeginLoading and EndLoading.
  bool Loading() const { return FLoading; }
  // True while the tree-list is being destroyed.
  bool Destroying() const { return FDestroying; }
  // True while ClearNodes runs (in its OnDeletion calls).
  bool Clearing() const { return FClearing; }

  // The painting, input, sorting and selection side; without one of its own the tree-list
  // uses the control's view, or none. Null goes back to that default.
  void SetView(TTreeListView* view) { FView = view ? view : FDefaultView; }
  // The view in use (a do-nothing one when there is none).
  TTreeListView& View() const { return *FView; }

  // Rebuilds the visible-row index from the tree (after an expansion change).
  void RebuildVisibleRowIndex();
  // Empties the view caches, the visible-row index among them.
  void ClearViewCaches();
  // The visible-row index: which node stands in which row.
  const TVisibleRowIndex& RowIndex() const { return FRowIndex; }

  // Values follow their columns in every node the tree-list holds.
  void MoveNodeValues(int from, int to);
  // Removes value index from every node; later values move down.
  void DeleteNodeValues(int index);
  // Calls fn for every node in pre-order, expanded or not.
  void ForEachNode(const std::function<void(TTreeListNode*)>& fn) const;

  // A node is being deleted; fires for every node that goes, in ClearNodes too.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnDeletion;
  // The node of the first row shown changed.
  std::function<void(TCustomTreeList* sender)> OnChangeTopVisibleNode;
  // The focus moved from oldNode (null for none) to node.
  std::function<void(TCustomTreeList* sender, TTreeListNode* oldNode, TTreeListNode* node)>
      OnChangeNode;
  // Asked whenever a text node's ImageIndex is read: index starts as the stored one and
  // the handler may change it.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetImageIndex;
  // Likewise for SelectedIndex.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetSelectedIndex;
  // Likewise for StateIndex.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int& index)> OnGetStateIndex;

  // The range-selection anchor; cleared when its node leaves.
  TTreeListNode* AnchorNode() const { return FAnchorNode; }
  // Sets the node a Shift range starts from.
  void SetAnchorNode(TTreeListNode* node) { FAnchorNode = node; }

  // Expanding and collapsing every node, in one update.
  void FullExpand();
  // Collapses every node, in one update.
  void FullCollapse();
  // A node is about to expand; set allow to false to refuse.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnExpanding;
  // A node is about to collapse; set allow to false to refuse.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnCollapsing;
  // A node expanded.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnExpanded;
  // A node collapsed.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node)> OnCollapsed;

  // Focus. The focus moves but is never removed here; column is a display position.
  virtual void SetFocusedNode(TTreeListNode* node, int column, bool makeVisible);
  // The focused column as a display position; always 0 with aoRowSelect.
  int FocusedColumn() const;
  // The focused node's visible-row position; 0 without a focused node.
  int FocusedAbsoluteIndex() const;
  // Focuses the node at a visible-row position (clamped) and scrolls it into view.
  void SetFocusedAbsoluteIndex(int index);
  // Moves the focus to the first, previous, next or last row; with deep, next and last go
  // into collapsed nodes too. A single selection follows. Returns the new focused node, or null.
  TTreeListNode* MoveFocus(TTreeListFocusMove kind, bool deep);
  // The focused column changed (a display position), on node.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, int column)> OnChangeColumn;

  // Selection of several nodes, kept in creation order; only with aoMultiSelect.
  int SelectedCount() const { return static_cast<int>(FSelection.size()); }
  // The selected node at index, in creation order; null out of range.
  TTreeListNode* Selections(int index) const;
  // Every selected node, in creation order.
  const std::vector<TTreeListNode*>& SelectionList() const { return FSelection; }
  // Deselects every node.
  void ClearSelection();
  // Selects the rows from a to b, both included, as far as OnCanNodeSelected allows; nothing
  // when either is hidden.
  void SelectRange(TTreeListNode* a, TTreeListNode* b);
  // A node is about to be selected; set allow to false to refuse.
  std::function<void(TCustomTreeList* sender, TTreeListNode* node, bool& allow)> OnCanNodeSelected;
  // The selection changed; once per batch, such as a SelectRange.
  std::function<void(TCustomTreeList* sender)> OnSelectedCountChange;

  // Counts changes of node texts, so that a view can tell whether what it shows is stale.
  uint64_t ValueChanges() const { return FValueChanges; }
  // Counts one more text change.
  void NoteValueChange() { ++FValueChanges; }

  // A node change may call for a new sort; the control decides.
  virtual void RequestResort() {}

  // Whether nodes may take a caller's Data value.
  virtual bool AllowNodeData() const { return false; }

  // Makes the nodes of a stream: the reader fills them here after it has parsed all bytes.
  void SetStreamVersion(int version) { FStreamVersion = version; }
  // Starts loading: Loading() is true until EndLoading.
  void BeginLoading() { FLoading = true; }
  // Ends loading with the after-load step: what the load stored directly is made whole.
  void EndLoading();

 protected:
  // The options and columns live in the control; the bare model has none of them.
  virtual bool HasOption(TTreeListOption /*option*/) const { return false; }
  // The number of columns shown; none in the bare model.
  virtual int DisplayedColumnCount() const { return 0; }
  // Sorts now if a sort was requested; nothing in the bare model.
  virtual void PerformPendingResort() {}
  // After a load: the derived tables, sort keys and layout rebuilt from what was stored.
  virtual void Loaded() {}
  // Holds selection-change notices until the matching CloseSelectionBatch; calls nest.
  void OpenSelectionBatch();
  // Ends a batch; the last one fires OnSelectedCountChange if the count changed.
  void CloseSelectionBatch();
  // Takes a node out of the selection without asking anyone.
  void DeselectNode(TTreeListNode* node);
  // Calls fn for every visible row in display order, without the row index.
  void ForEachVisibleNode(const std::function<void(TTreeListNode*)>& fn) const;
  // The top-level list and a node's children, for reordering them in place.
  TTreeListNode::TNodeList& NodeList(TTreeListNode* parent);

  // Makes a new node of the kind this tree-list holds; the bare model makes plain nodes.
  virtual std::unique_ptr<TTreeListNode> CreateNode();
  // A node was added: the view, the row index and the sort hear of it.
  virtual void NodeAdded(TTreeListNode* node);
  // A node was taken out: OnDeletion fires and the focus, top row and selection move off it.
  virtual void NodeDeleted(TTreeListNode* node, TTreeListNode* prior, bool visible, bool wasLast,
                           TTreeListNode* next);
  // Repaints a node's row, or with structural every row from it down, outside an update.
  virtual void NodeChanged(TTreeListNode* node, bool structural);
  // Deletes every node without the update lock; a derived destructor calls this first.
  void DestroyNodes() noexcept;
  // Sets the focused node with no repaint and no event.
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
