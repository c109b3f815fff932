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
  explicit TTreeListNode(TCustomTreeList* owner);
  virtual ~TTreeListNode();
  TTreeListNode(const TTreeListNode&) = delete;
  TTreeListNode& operator=(const TTreeListNode&) = delete;

  // Structure.
  TTreeListNode* AddChild() { return InsertChild(nullptr); }
  TTreeListNode* InsertChild(TTreeListNode* before);
  void Delete();  // destroys this node and its subtree; the node is gone afterwards
  void DeleteChildren();

  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeListNode* Items(int index) const;
  int IndexOf(const TTreeListNode* child) const;
  int Index() const;
  int Level() const;
  TTreeListNode* Parent() const { return FParent; }
  TCustomTreeList* Owner() const { return FOwner; }

  // Navigation.
  TTreeListNode* GetFirstChild() const;
  TTreeListNode* GetLastChild() const;
  TTreeListNode* GetNextSibling() const;
  TTreeListNode* GetPrevSibling() const;
  TTreeListNode* GetNext() const;
  TTreeListNode* GetPrev() const;
  TTreeListNode* GetNextVisible() const;
  TTreeListNode* GetPrevVisible() const;
  bool IsLast() const;
  bool IsVisible() const;
  bool HasAsParent(const TTreeListNode* node) const;
  int AbsoluteIndex() const;

  // Flags.
  bool Deleting() const { return FDeleting; }
  bool HasChildren() const { return FHasChildren; }
  void SetHasChildren(bool value);
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool value);
  // This node and, with recurse, every descendant that has children.
  void Expand(bool recurse);
  void Collapse(bool recurse);
  // Expands collapsed ancestors and scrolls the row into view.
  void MakeVisible();
  bool Focused() const;
  void SetFocused(bool value);  // false does nothing: the focus is moved, never removed
  bool Selected() const;
  void SetSelected(bool value);

  uint32_t Data() const { return FData; }
  void SetData(uint32_t value);

  // Per-column values; the plain node stores none.
  virtual std::string Strings(int index) const;
  virtual void SetStrings(int index, const std::string& text);
  std::string Values(int index) const { return Strings(index); }
  void SetValues(int index, const std::string& text);
  void SetValues(int index, long long number) { SetValues(index, std::to_string(number)); }
  virtual int StringCount() const { return 0; }
  // A column moved from `from` to `to`, or the column at `index` left: values follow.
  virtual void MoveValue(int /*from*/, int /*to*/) {}
  virtual void DeleteValue(int /*index*/) {}

  // Image indexes, read through the owner's events.
  virtual int ImageIndex() const { return -1; }
  virtual int SelectedIndex() const { return -1; }
  virtual int StateIndex() const { return -1; }
  virtual void SetImageIndex(int /*value*/) {}
  virtual void SetSelectedIndex(int /*value*/) {}
  virtual void SetStateIndex(int /*value*/) {}

  // Creation order; a fixed total order of the nodes of one tree-list.
  uint64_t Sequence() const { return FSequence; }

  // Per-node measurement cache of the view.
  uint32_t ViewWord(int i) const { return FViewWords[i]; }
  void SetViewWord(int i, uint32_t value);

 protected:
  void RowChanged();  // the node's row needs repainting

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
  using TTreeListNode::TTreeListNode;

  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  int StringCount() const override;
  void MoveValue(int from, int to) override;
  void DeleteValue(int index) override;

  int ImageIndex() const override;
  int SelectedIndex() const override;
  int StateIndex() const override;
  void SetImageIndex(int value) override;
  void SetSelectedIndex(int value) override;
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
