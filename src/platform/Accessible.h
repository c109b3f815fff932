#pragma once

#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/PlatformExport.h"

// What a control tells assistive technology (screen readers, magnifiers) about itself, in
// the controls' own terms; the Qt host turns it into the desktop's accessibility interface.

enum TAccessibleRole {
  arClient,        // a control with no more specific role
  arChart,         // a chart: its children are the parts it shows
  arGraphic,       // a drawn part of a picture, such as a bar's segment
  arStaticText,    // a labelled part with a value, such as an axis and its range
  arTree,          // a tree with columns
  arRow,           // one row of a tree
  arColumnHeader,  // a column's header
  arCell           // one cell of a row
};

enum TAccessibleState : unsigned {
  asFocusable = 1,
  asFocused = 2,
  asSelectable = 4,
  asSelected = 8,
  asExpandable = 16,
  asExpanded = 32,
  asCollapsed = 64,
  asInvisible = 128
};

// One child of a control: its role, what it is called, its value, where it is in client
// coordinates and its states (TAccessibleState bits).
struct LISTCHART_PLATFORM_API TAccessibleItem {
  // What kind of thing the child is.
  TAccessibleRole role = arClient;
  // What it is called.
  std::string name;
  // Its value as text; empty for none.
  std::string value;
  // Where it is, in client coordinates.
  TRect rect;
  // Its TAccessibleState bits.
  unsigned states = 0;
};

// What changed, for the events a control raises through its host.
enum TAccessibleEvent {
  aeFocus,         // the child now has the keyboard focus
  aeSelection,     // the selection changed
  aeStateChanged,  // a child's states changed (expanded, collapsed)
  aeValueChanged,  // the values shown changed
  aeNameChanged,   // a child's name changed
  aeReorder        // children were added, removed or reordered
};

// A control's description of itself: a name, a role and a list of children, which may have
// parts of their own.
class LISTCHART_PLATFORM_API TAccessibleSource {
 public:
  virtual ~TAccessibleSource() = default;
  // What kind of control this is.
  virtual TAccessibleRole Role() const = 0;
  // What the control is called.
  virtual std::string Name() const = 0;
  // A short summary of what the control shows; empty for none.
  virtual std::string Description() const { return {}; }
  // The number of children.
  virtual int ChildCount() const = 0;
  // The child at index 0..ChildCount()-1.
  virtual TAccessibleItem Child(int index) const = 0;
  // The child whose rectangle holds the client point, -1 for none.
  virtual int ChildAt(TPoint p) const;
  // The parts of a child, such as a row's cells, each an item of its own; none by default.
  virtual int CellCount(int /*index*/) const { return 0; }
  // The part at cell of the child at index; an empty item by default.
  virtual TAccessibleItem Cell(int /*index*/, int /*cell*/) const { return {}; }
  // The actions a child offers ("expand", "collapse", "select") and doing one.
  virtual std::vector<std::string> ActionNames(int /*index*/) const { return {}; }
  // Does the named action on the child at index; nothing by default.
  virtual void DoAction(int /*index*/, const std::string& /*action*/) {}
};
