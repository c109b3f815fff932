#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "treelist/TreeListExport.h"

class TCustomTreeList;

// One row of the tree-list model. Nodes are made only by the tree-list (Add, AddChild,
// InsertChild) and own their children.
class LISTCHART_TREELIST_API TTreeListNode {
 public:
  // Made by the tree-list for itself; throws EInvalidTreeListOperation without an owner.
  explicit TTreeListNode(TCustomTreeList* owner);
  virtual ~TTreeListNode();
  TTreeListNode(const TTreeListNode&) = delete;
  TTreeListNode& operator=(const TTreeListNode&) = delete;

  // Adds a child at the end and returns it, owned by this node.
  TTreeListNode* AddChild() { return InsertChild(nullptr); }
  // Adds a child before another child (null: at the end) and returns it, owned by this node.
  // Throws EInvalidTreeListOperation when before is not a child.
  TTreeListNode* InsertChild(TTreeListNode* before);
  // Destroys this node and its subtree; the node is gone afterwards.
  void Delete();
  // Destroys every child and its subtree.
  void DeleteChildren();

  // The number of children.
  int Count() const { return static_cast<int>(FChildren.size()); }
  // The child at index; null out of range.
  TTreeListNode* Items(int index) const;
  // The index of a child; -1 when it is not one.
  int IndexOf(const TTreeListNode* child) const;
  // This node's index among its siblings (the root nodes for a root).
  int Index() const;
  // The depth: 0 for a root node.
  int Level() const;
  // The parent; null for a root node.
  TTreeListNode* Parent() const { return FParent; }
  // The tree-list the node belongs to.
  TCustomTreeList* Owner() const { return FOwner; }

  // The first child; null without children.
  TTreeListNode* GetFirstChild() const;
  // The last child; null without children.
  TTreeListNode* GetLastChild() const;
  // The next node with the same parent; null for the last.
  TTreeListNode* GetNextSibling() const;
  // The previous node with the same parent; null for the first.
  TTreeListNode* GetPrevSibling() const;
  // The next node in tree order (children before siblings), expanded or not; null at the end.
  TTreeListNode* GetNext() const;
  // The previous node in tree order; null for the first root.
  TTreeListNode* GetPrev() const;
  // The next row: the next node not hidden in a collapsed parent; null at the end.
  TTreeListNode* GetNextVisible() const;
  // The previous row; null for the first.
  TTreeListNode* GetPrevVisible() const;
  // Whether this is the last of its siblings.
  bool IsLast() const;
  // Whether every ancestor is expanded, so the node has a row (scrolled into view or not).
  bool IsVisible() const;
  // Whether node is an ancestor of this one (not this node itself).
  bool HasAsParent(const TTreeListNode* node) const;
  // The node's row among the visible rows, from 0; -1 when a collapsed ancestor hides it.
  int AbsoluteIndex() const;

  // True while the node is being deleted (in its deletion handlers).
  bool Deleting() const { return FDeleting; }
  // Whether the node shows an expand button: it has children or was marked as having them.
  bool HasChildren() const { return FHasChildren; }
  // Marks the node as having children before any are added (to add them on expanding); a
  // node with children always has the mark.
  void SetHasChildren(bool value);
  // Whether the node's children show.
  bool Expanded() const { return FExpanded; }
  // Expands or collapses the node, which must have children: OnExpanding or OnCollapsing may
  // refuse, OnExpanded or OnCollapsed follow. Collapsing moves the focus out of the subtree.
  void SetExpanded(bool value);
  // This node and, with recurse, every descendant that has children.
  void Expand(bool recurse);
  // Collapses this node and, with recurse, every descendant that has children.
  void Collapse(bool recurse);
  // Expands collapsed ancestors and scrolls the row into view.
  void MakeVisible();
  // Whether this is the tree-list's focused node.
  bool Focused() const;
  // Focuses the node (in the focused column); false does nothing: the focus is moved, never
  // removed.
  void SetFocused(bool value);
  // Whether the node is selected; without aoMultiSelect, whether it is the focused node.
  bool Selected() const;
  // Selects or deselects the node with aoMultiSelect (OnCanNodeSelected may refuse); does
  // nothing without it.
  void SetSelected(bool value);

  // A number the program keeps with the node; 0 by default.
  uint32_t Data() const { return FData; }
  // Stores the number; only a tree-list control keeps it, the plain model ignores it.
  void SetData(uint32_t value);

  // Per-column values; the plain node stores none.
  virtual std::string Strings(int index) const;
  // Stores the text of a value index; the plain node ignores it.
  virtual void SetStrings(int index, const std::string& text);
  // The same as Strings.
  std::string Values(int index) const { return Strings(index); }
  // Stores the text like SetStrings and repaints the node's row (outside an update).
  void SetValues(int index, const std::string& text);
  // Stores a number as its decimal text.
  void SetValues(int index, long long number) { SetValues(index, std::to_string(number)); }
  // How many value indexes hold a text; 0 for the plain node.
  virtual int StringCount() const { return 0; }
  // A column moved from `from` to `to`, or the column at `index` left: values follow.
  virtual void MoveValue(int /*from*/, int /*to*/) {}
  // The column at index left: the later values move down by one.
  virtual void DeleteValue(int /*index*/) {}

  // Image indexes, read through the owner's events.
  virtual int ImageIndex() const { return -1; }
  // The image shown while the node has the focus; -1: ImageIndex.
  virtual int SelectedIndex() const { return -1; }
  // The state image left of the image; -1 for none.
  virtual int StateIndex() const { return -1; }
  // Sets the image index; the plain node ignores it.
  virtual void SetImageIndex(int /*value*/) {}
  // Sets the focused image index; the plain node ignores it.
  virtual void SetSelectedIndex(int /*value*/) {}
  // Sets the state image index; the plain node ignores it.
  virtual void SetStateIndex(int /*value*/) {}

  // Creation order; a fixed total order of the nodes of one tree-list.
  uint64_t Sequence() const { return FSequence; }

  // Per-node measurement cache of the view.
  uint32_t ViewWord(int i) const { return FViewWords[i]; }
  // Stores word i (0 or 1) of the view's cache.
  void SetViewWord(int i, uint32_t value);

 protected:
  // The node's row needs repainting.
  void RowChanged();

 private:
  friend class TCustomTreeList;
  friend class TCustomTreeListControl;
  using TNodeList = std::vector<std::unique_ptr<TTreeListNode>>;

  const TNodeList& Siblings() const;
  TTreeListNode* DeepestVisibleLast() const;
  TTreeListNode* NextSkippingChildren() const;

  TNodeList FChildren;
  TCustomTreeList* FOwner;
  TTreeListNode* FParent = nullptr;
  uint64_t FSequence;
  uint32_t FData = 0;
  uint32_t FViewWords[2] = {0, 0};
  bool FDeleting = false;
  bool FExpanded = false;
  bool FHasChildren = false;
};

// The node the control creates: one text per value index and three image indexes.
class LISTCHART_TREELIST_API TTreeListTextNode : public TTreeListNode {
 public:
  // Made by the tree-list for itself.
  using TTreeListNode::TTreeListNode;

  std::string Strings(int index) const override;
  // Stores the text (texts up to index start empty) and re-sorts with aoAutoSort; throws
  // EInvalidTreeListOperation for a negative index.
  void SetStrings(int index, const std::string& text) override;
  // How many texts are stored: the highest index set plus one.
  int StringCount() const override;
  void MoveValue(int from, int to) override;
  // Removes the text at index; the later ones move down.
  void DeleteValue(int index) override;

  int ImageIndex() const override;
  // The stored index (-1 by default) as OnGetSelectedIndex leaves it.
  int SelectedIndex() const override;
  // The stored index (-1 by default) as OnGetStateIndex leaves it.
  int StateIndex() const override;
  // Stores the image index and repaints the row.
  void SetImageIndex(int value) override;
  // Stores the focused image index and repaints the row.
  void SetSelectedIndex(int value) override;
  // Stores the state image index and repaints the row.
  void SetStateIndex(int value) override;

 private:
  int FImageIndex = 0;
  int FSelectedIndex = -1;
  int FStateIndex = -1;
  // The texts packed in one block, each as its length (7 bits a byte, high bit: more) and its
  // bytes: a node holds a few short texts, and a list of separate strings would take several
  // times the memory of the texts themselves.
  std::string FTexts;
};
