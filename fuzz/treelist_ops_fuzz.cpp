// Drives the tree-list's public operations from untrusted bytes: nodes added, inserted,
// deleted and cleared; expanding, collapsing, focus and selection ranges; sorting; columns and
// bands added, removed, moved, hidden and resized; the stored layout saved and restored; update
// nesting; the text export; mouse, keys and timers (search, hot tracking, sizing, panning, node
// drag and drop); and event handlers that themselves delete, clear, focus, expand or throw.
// After every operation the row index agrees with a walk of the tree, the focus, top row and
// selection hold only live nodes, and the sort list holds only sorted columns; every gesture ends
// with the release of its button or with Esc, and an idle control holds no mouse capture; anything
// else is a fault.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "platform/Exception.h"
#include "platform/StringList.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"
#include "treelist/TreeList.h"
#include "treelist/model/TreeListConsistency.h"

namespace {

constexpr int kMaxOperations = 300;
constexpr int kMaxNodes = 400;

class THandlerFault : public std::runtime_error {
 public:
  THandlerFault() : std::runtime_error("handler failed") {}
};

class TTreeDriver {
 public:
  explicit TTreeDriver(TFuzzBytes& in) : in_(in) {
    for (const char* caption : {"A", "B", "C"}) tree_.CreateColumn()->SetCaption(caption);
    // Previews and row footers show a node's own texts, however long.
    tree_.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode* node, std::string& text) {
      text = node->Strings(1);
    };
    tree_.OnGetRowFooterText = [](TCustomTreeListControl*, TTreeListNode* group,
                                  TTreeListColumn* column, std::string& text) {
      text = group->Strings(column->ValueIndex());
    };
  }

  void Run() {
    for (int step = 0; !in_.Empty() && step < kMaxOperations; ++step) {
      try {
        const int kind = in_.Byte() % 17;
        if (std::getenv("TREELIST_FUZZ_TRACE"))
          std::fprintf(stderr, "step %d: operation %d\n", step, kind);
        Operation(kind);
      } catch (const Exception&) {
        // Refused operations raise the tree-list's own errors.
      } catch (const THandlerFault&) {
        // A handler's error reaches the caller once the change is complete.
      }
      Check();
      // A painted control reads the whole layout: every few steps, and after every change
      // while the host is small or empty.
      if (step % 4 == 3) host_.Paint(true);
    }
    while (tree_.UpdateLockCount() > 0) Guard([&] { tree_.EndUpdate(); });
    if (host_.Dragging()) host_.CancelDrag(tree_);
    Check();
  }

 private:
  template <class F>
  void Guard(F f) {
    try {
      f();
    } catch (const Exception&) {
    } catch (const THandlerFault&) {
    }
  }

  // Any node of the tree, or none.
  TTreeListNode* PickNode() {
    std::vector<TTreeListNode*> nodes;
    tree_.ForEachNode([&](TTreeListNode* n) { nodes.push_back(n); });
    if (nodes.empty() || in_.Byte() % 8 == 0) return nullptr;
    return nodes[in_.Index(nodes.size())];
  }
  TTreeListColumn* PickColumn() {
    return tree_.ColumnCount() ? tree_.Columns(static_cast<int>(in_.Index(tree_.ColumnCount())))
                               : nullptr;
  }
  int NodeCount() const {
    int n = 0;
    tree_.ForEachNode([&](TTreeListNode*) { ++n; });
    return n;
  }

  void Operation(int kind) {
    switch (kind) {
      case 0:
        AddNodes();
        break;
      case 1:
        DeleteNode();
        break;
      case 2:
        if (in_.Byte() % 4 == 0) tree_.ClearNodes();
        break;
      case 3:
        Expand();
        break;
      case 4:
        Focus();
        break;
      case 5:
        Select();
        break;
      case 6:
        Sort();
        break;
      case 7:
        Columns();
        break;
      case 8:
        Bands();
        break;
      case 9:
        Update();
        break;
      case 10:
        SetHandlers();
        break;
      case 11:
        Options();
        break;
      case 12:
        Export();
        break;
      case 13: {
        const int w = in_.Byte() % 3 == 0 ? 0 : in_.Byte();
        host_.Resize(w, in_.Byte());
      } break;
      case 14:
        Texts();
        break;
      case 15:
        Layout();
        break;
      default:
        Gesture();
        break;
    }
  }

  // Input as a user gives it, with the drag and drop the control may have started.
  void Gesture() {
    const int x = in_.Int() % 200 - 20, y = in_.Int() % 120 - 20;
    const TMouseButton button = static_cast<TMouseButton>(in_.Index(3));
    switch (in_.Byte() % 9) {
      case 0:
        host_.MouseDown(button, x, y, in_.Bool() ? TShiftState{ssDouble} : 0u);
        break;
      case 1:
        host_.MouseMove(x, y,
                        in_.Bool()   ? TShiftState{ssLeft}
                        : in_.Bool() ? TShiftState{ssMiddle}
                                     : 0u);
        break;
      case 2: {
        // Released, the button that holds a gesture ends it, whatever the handlers did.
        const TTreeListMouseState state = tree_.Input().State();
        const bool holds = state != msNone && button == (state == msPanning ? mbMiddle : mbLeft);
        try {
          host_.MouseUp(button, x, y);
        } catch (...) {
          if (holds) ExpectIdle("a release that failed");
          throw;
        }
        if (holds) ExpectIdle("a release");
      } break;
      case 3: {
        char c = static_cast<char>(in_.Byte());
        tree_.KeyPress(c);
      } break;
      case 4: {
        static constexpr int kKeys[] = {vkBack, vkEscape, vkDown, vkUp, 'A', vkNext};
        const int key = kKeys[in_.Index(6)];
        const bool gesture = tree_.Input().Gesture();
        host_.PressKey(key, in_.Bool() ? TShiftState{ssAlt} : 0u);
        if (key == vkEscape && gesture) ExpectIdle("Esc");
      } break;
      case 5:
        host_.FireTimer(1 + static_cast<int>(in_.Index(6)));
        break;
      case 6:
        tree_.MouseLeave();
        break;
      case 7:
        Drag(x, y);
        break;
      default:
        DragSettings();
        break;
    }
  }
  void Drag(int x, int y) {
    const TDragData outside{in_.Text(), nullptr};
    switch (in_.Byte() % 4) {
      case 0:
        if (host_.Dragging())
          host_.DragOver(tree_, x, y);
        else
          tree_.DragOver(outside, x, y);
        break;
      case 1:
        if (host_.Dragging())
          host_.Drop(tree_, x, y);
        else
          tree_.DragDrop(outside, x, y);
        break;
      case 2:
        if (host_.Dragging())
          host_.CancelDrag(tree_);
        else
          tree_.DragLeave();
        break;
      default:
        tree_.OnNodeDropped = [this](TCustomTreeListControl*, TControl*, TTreeListNode* node,
                                     TTreeListNode* target, const std::string&) {
          if (node && target && in_.Bool())
            node->Delete();
          else if (target)
            target->Delete();
        };
        tree_.OnDragOver = [this](TCustomTreeListControl*, TControl*, TTreeListNode*,
                                  TTreeListNode* target, int, int, bool& accept) {
          if (target && in_.Bool()) target->Delete();
          accept = in_.Bool();
        };
        break;
    }
  }
  void DragSettings() {
    tree_.SetDragMode(in_.Bool() ? dmAutomatic : dmManual);
    tree_.SetShowIndicator(in_.Bool());
    tree_.SetShowBands(in_.Bool());
    tree_.SetWaitForExpandNodeTime(in_.Int());
    tree_.SetDefaultRowHeight(in_.Int() % 40);
  }

  void AddNodes() {
    if (NodeCount() >= kMaxNodes) return;
    TTreeListNode* parent = PickNode();
    const int count = 1 + in_.Byte() % 6;
    for (int i = 0; i < count; ++i) {
      TTreeListNode* node = nullptr;
      if (parent && in_.Bool() && parent->Count() > 0)
        node = parent->InsertChild(parent->Items(static_cast<int>(in_.Index(parent->Count()))));
      else
        node = parent ? parent->AddChild() : tree_.Add();
      const int value = static_cast<int>(in_.Index(3));
      node->SetStrings(value, in_.Text());
    }
  }
  void DeleteNode() {
    if (TTreeListNode* node = PickNode()) {
      if (in_.Bool())
        node->Delete();
      else
        node->DeleteChildren();
    }
  }
  void Expand() {
    switch (in_.Byte() % 5) {
      case 0:
        tree_.FullExpand();
        break;
      case 1:
        tree_.FullCollapse();
        break;
      default:
        if (TTreeListNode* node = PickNode()) {
          if (in_.Bool())
            node->Expand(in_.Bool());
          else
            node->Collapse(in_.Bool());
        }
    }
  }
  void Focus() {
    switch (in_.Byte() % 4) {
      case 0:
        if (TTreeListNode* n = PickNode()) n->SetFocused(true);
        break;
      case 1:
        tree_.SetFocusedAbsoluteIndex(in_.Int());
        break;
      case 2: {
        const auto move = static_cast<TTreeListFocusMove>(in_.Index(4));
        tree_.MoveFocus(move, in_.Bool());
      } break;
      default:
        if (TTreeListNode* n = PickNode()) tree_.SetTopVisibleNode(n);
        break;
    }
  }
  void Select() {
    TTreeListNode* a = PickNode();
    TTreeListNode* b = PickNode();
    switch (in_.Byte() % 3) {
      case 0:
        tree_.SelectRange(a, b);
        break;
      case 1:
        if (a) a->SetSelected(in_.Bool());
        break;
      default:
        tree_.ClearSelection();
        break;
    }
  }
  void Sort() {
    TTreeListColumn* column = PickColumn();
    if (!column) return;
    switch (in_.Byte() % 3) {
      case 0:
        column->SetSorted(static_cast<TTreeListColumnSort>(in_.Index(3)));
        break;
      case 1:
        tree_.Resort();
        break;
      default:
        column->RestoreDefaults();
        break;
    }
  }
  void Columns() {
    TTreeListColumn* column = PickColumn();
    switch (in_.Byte() % 7) {
      case 0:
        if (tree_.ColumnCount() < 8) tree_.CreateColumn()->SetCaption(in_.Text());
        break;
      case 1:
        if (column) tree_.DeleteColumn(column);
        break;
      case 2:
        if (tree_.ColumnCount()) {
          const int from = in_.Int() % 9;
          tree_.MoveColumn(from, in_.Int() % 9);
        }
        break;
      case 3:
        if (column) column->SetVisible(in_.Bool());
        break;
      case 4:
        if (column) column->SetWidth(in_.Int());
        break;
      case 5:
        if (column) column->SetBandIndex(in_.Int() % 4);
        break;
      default:
        if (column) column->SetRowIndex(in_.Int() % 4);
        break;
    }
  }
  // A layout restored as it was saved changes nothing; one saved earlier, over columns and
  // bands changed since, applies what still matches.
  void Layout() {
    switch (in_.Byte() % 3) {
      case 0:
        layout_ = tree_.LayoutText();
        break;
      case 1:
        tree_.RestoreLayoutText(layout_);
        break;
      default: {
        const std::string text = tree_.LayoutText();
        tree_.RestoreLayoutText(text);
        if (tree_.LayoutText() != text) {
          std::fprintf(stderr, "tree-list fault: a restored layout differs from the saved one\n");
          std::abort();
        }
      } break;
    }
  }
  void Bands() {
    TTreeListBands& bands = tree_.Bands();
    switch (in_.Byte() % 4) {
      case 0:
        if (bands.Count() < 5) bands.Add();
        break;
      case 1:
        bands.Delete(in_.Int() % 6);
        break;
      case 2:
        if (TTreeListBand* band = bands.Items(in_.Int() % 6)) band->SetIndex(in_.Int() % 6);
        break;
      default:
        if (TTreeListBand* band = bands.Items(in_.Int() % 6)) band->SetVisible(in_.Bool());
    }
  }
  void Update() {
    if (in_.Bool() && tree_.UpdateLockCount() < 4)
      tree_.BeginUpdate();
    else if (tree_.UpdateLockCount() > 0)
      tree_.EndUpdate();
  }
  void Options() {
    const uint32_t low = in_.Byte();
    tree_.SetOptions(TTreeListOptions::FromBits(low | in_.Byte() << 8));
    const uint32_t high = in_.Byte() << 16;
    tree_.SetOptionsEx(TTreeListOptionsEx::FromBits(in_.Byte() << 8 | high | in_.Byte() << 22));
    // The parts of rows and panels that make rows differ in height.
    const uint8_t parts = in_.Byte();
    tree_.SetShowFooter((parts & 1) != 0);
    tree_.SetShowRowFooter((parts & 2) != 0);
    tree_.SetShowIndicator((parts & 4) != 0);
    tree_.SetShowGrid((parts & 8) != 0);
    tree_.SetMaxRowLineCount(in_.Int() % 6 - 1);
    tree_.SetPreviewLines(in_.Int() % 5 - 1);
    tree_.SetIndentDesc(in_.Int() % 300 - 20);
    if (parts & 16) tree_.SetDefaultRowHeight(in_.Int() % 400);
  }
  void Export() {
    TStringList lines;
    if (in_.Bool())
      tree_.SaveAllToStrings(lines);
    else
      tree_.SaveSelectedToStrings(lines);
  }
  void Texts() {
    if (TTreeListNode* node = PickNode()) {
      const int value = in_.Int() % 5;
      const uint8_t shape = in_.Byte();
      // Thousands of lines, or one word far wider than the window.
      if (shape % 8 == 0)
        node->SetStrings(value, std::string(1 + shape * 12, shape & 1 ? '\n' : 'W'));
      else
        node->SetStrings(value, in_.Text());
    }
  }

  // Handlers that change the tree while it is being changed.
  void SetHandlers() {
    const uint8_t what = in_.Byte();
    auto act = [this, what](TTreeListNode* node) {
      switch (what % 6) {
        case 0:
          throw THandlerFault();
        case 1:
          if (node && !node->Deleting() && node->Count()) node->Items(0)->Delete();
          break;
        case 2:
          if (tree_.Count()) tree_.Items(tree_.Count() - 1)->SetFocused(true);
          break;
        case 3:
          if (node && !node->Deleting()) node->Expand(false);
          break;
        case 4:
          if (tree_.Count() > 1) tree_.Items(0)->Delete();
          break;
        default:
          if (what >= 128) tree_.ClearNodes();
          break;
      }
    };
    switch (in_.Byte() % 5) {
      case 0:
        tree_.OnDeletion = [act](TCustomTreeList*, TTreeListNode* n) { act(n); };
        break;
      case 1:
        tree_.OnCanNodeSelected = [act](TCustomTreeList*, TTreeListNode* n, bool&) { act(n); };
        break;
      case 2:
        tree_.OnChangeNode = [act](TCustomTreeList*, TTreeListNode*, TTreeListNode* n) { act(n); };
        break;
      case 3:
        tree_.OnExpanded = [act](TCustomTreeList*, TTreeListNode* n) { act(n); };
        break;
      default:
        tree_.OnCompare = [what](TCustomTreeListControl*, TTreeListNode*, TTreeListNode*, int& c) {
          if (what % 3 == 0) throw THandlerFault();
          c = what % 3 == 1 ? -1 : 1;
        };
    }
  }

  void ExpectIdle(const char* after) {
    if (tree_.Input().State() == msNone) return;
    std::fprintf(stderr, "tree-list fault: a gesture runs on after %s\n", after);
    std::abort();
  }

  void Check() {
    if (tree_.Input().State() == msNone && host_.HasCapture()) {
      std::fprintf(stderr, "tree-list fault: an idle control holds the mouse capture\n");
      std::abort();
    }
    // The input holds only live nodes.
    for (const TTreeListNode* held :
         {tree_.Input().HotNode(), tree_.Input().DropTarget(), tree_.Input().DraggedNode()}) {
      bool live = !held;
      tree_.ForEachNode([&](TTreeListNode* n) { live = live || n == held; });
      if (!live) {
        std::fprintf(stderr, "tree-list fault: the input holds a deleted node\n");
        std::abort();
      }
    }
    // While an update holds, the index waits for its end; the references never wait.
    const bool locked = tree_.UpdateLockCount() > 0;
    for (const std::string& fault :
         {locked ? std::string() : RowIndexFault(tree_), NodeReferenceFault(tree_),
          locked ? std::string() : SortColumnsFault(tree_)}) {
      if (fault.empty()) continue;
      std::fprintf(stderr, "tree-list fault: %s\n", fault.c_str());
      std::abort();
    }
  }

  TFuzzBytes& in_;
  TTreeList tree_;
  std::string layout_;
  TTestWindowHost host_{tree_, 160, 90};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // text is measured without a display
  EnsureGuiApplication();
  TFuzzBytes in(data, size);
  TTreeDriver driver(in);
  driver.Run();
  return 0;
}
