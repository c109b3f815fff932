#include "platform/QtAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "platform/Control.h"

namespace {

QAccessible::Role ToQtRole(TAccessibleRole role) {
  switch (role) {
    case arChart:
      return QAccessible::Chart;
    case arGraphic:
      return QAccessible::Graphic;
    case arStaticText:
      return QAccessible::StaticText;
    case arTree:
      return QAccessible::Tree;
    case arRow:
      return QAccessible::Row;
    case arColumnHeader:
      return QAccessible::ColumnHeader;
    case arCell:
      return QAccessible::Cell;
    case arClient:
      break;
  }
  return QAccessible::Client;
}

QAccessible::State ToQtState(unsigned states) {
  QAccessible::State s;
  s.focusable = (states & asFocusable) != 0;
  s.focused = (states & asFocused) != 0;
  s.selectable = (states & asSelectable) != 0;
  s.selected = (states & asSelected) != 0;
  s.expandable = (states & asExpandable) != 0;
  s.expanded = (states & asExpanded) != 0;
  s.collapsed = (states & asCollapsed) != 0;
  s.invisible = (states & asInvisible) != 0;
  return s;
}

TAccessibleSource* SourceOf(QObject* viewport) {
  TControl* control = ControlOfViewport(viewport);
  return control ? control->AccessibleSource() : nullptr;
}

QString ToQString(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// One child of a control, or one part (cell) of a child. It keeps only its indexes and asks
// the control afresh every time, so it never shows stale texts; it is invalid once the control
// has fewer children or the child fewer parts.
class TChildInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TChildInterface(QWidget* viewport, int index, int cell = -1)
      : FViewport(viewport), FIndex(index), FCell(cell) {}
  ~TChildInterface() override {
    for (QAccessible::Id id : FCellIds) QAccessible::deleteAccessibleInterface(id);
  }

  bool isValid() const override {
    const TAccessibleSource* source = Source();
    return source && FIndex < source->ChildCount() &&
           (FCell < 0 || FCell < source->CellCount(FIndex));
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return FViewport ? FViewport->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    QAccessibleInterface* control =
        FViewport ? QAccessible::queryAccessibleInterface(FViewport) : nullptr;
    return control && FCell >= 0 ? control->child(FIndex) : control;
  }
  QAccessibleInterface* child(int cell) const override {
    if (FCell >= 0 || cell < 0 || cell >= childCount()) return nullptr;
    while (static_cast<int>(FCellIds.size()) <= cell) {
      auto* part = new TChildInterface(FViewport, FIndex, static_cast<int>(FCellIds.size()));
      FCellIds.push_back(QAccessible::registerAccessibleInterface(part));
    }
    return QAccessible::accessibleInterface(FCellIds[static_cast<size_t>(cell)]);
  }
  int childCount() const override {
    return FCell < 0 && isValid() ? Source()->CellCount(FIndex) : 0;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < FCellIds.size(); ++i)
      if (QAccessible::accessibleInterface(FCellIds[i]) == child) return static_cast<int>(i);
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i)
      if (child(i)->rect().contains(x, y)) return child(i);
    return nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    const TAccessibleItem item = Item();
    if (t == QAccessible::Name) return ToQString(item.name);
    if (t == QAccessible::Value) return ToQString(item.value);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const TRect r = Item().rect;
    return QRect(FViewport->mapToGlobal(QPoint(r.left, r.top)), QSize(r.Width(), r.Height()));
  }
  QAccessible::Role role() const override {
    return isValid() ? ToQtRole(Item().role) : QAccessible::NoRole;
  }
  QAccessible::State state() const override {
    return isValid() ? ToQtState(Item().states) : QAccessible::State();
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                             : nullptr;
  }

  // A child's actions; its parts have none of their own.
  QStringList actionNames() const override {
    QStringList names;
    if (FCell < 0 && isValid())
      for (const std::string& name : Source()->ActionNames(FIndex)) names << ToQString(name);
    return names;
  }
  void doAction(const QString& action) override {
    if (FCell < 0 && isValid()) Source()->DoAction(FIndex, action.toStdString());
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  TAccessibleSource* Source() const { return FViewport ? SourceOf(FViewport) : nullptr; }
  TAccessibleItem Item() const {
    return FCell < 0 ? Source()->Child(FIndex) : Source()->Cell(FIndex, FCell);
  }

  QPointer<QWidget> FViewport;
  int FIndex;
  int FCell;
  // Parts get their interfaces when first asked for; Qt's registry owns them.
  mutable std::vector<QAccessible::Id> FCellIds;
};

// A hosted control: its role, name and children come from its TAccessibleSource.
class TControlInterface final : public QAccessibleWidget {
 public:
  explicit TControlInterface(QWidget* viewport) : QAccessibleWidget(viewport) {}
  ~TControlInterface() override {
    for (QAccessible::Id id : FChildIds) QAccessible::deleteAccessibleInterface(id);
  }

  QAccessible::Role role() const override {
    const TAccessibleSource* source = SourceOf(widget());
    return source ? ToQtRole(source->Role()) : QAccessible::Client;
  }
  QString text(QAccessible::Text t) const override {
    const TAccessibleSource* source = SourceOf(widget());
    if (source && t == QAccessible::Name) return ToQString(source->Name());
    if (source && t == QAccessible::Description) return ToQString(source->Description());
    return QAccessibleWidget::text(t);
  }
  int childCount() const override {
    const TAccessibleSource* source = SourceOf(widget());
    return source ? source->ChildCount() : 0;
  }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(FChildIds.size()) <= index) {
      auto* child = new TChildInterface(widget(), static_cast<int>(FChildIds.size()));
      FChildIds.push_back(QAccessible::registerAccessibleInterface(child));
    }
    return QAccessible::accessibleInterface(FChildIds[static_cast<size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < FChildIds.size(); ++i)
      if (QAccessible::accessibleInterface(FChildIds[i]) == child) return static_cast<int>(i);
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const TAccessibleSource* source = SourceOf(widget());
    if (!source) return nullptr;
    const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
    return child(source->ChildAt({p.x(), p.y()}));
  }

 private:
  // Children get their interfaces when first asked for; Qt's registry owns them.
  mutable std::vector<QAccessible::Id> FChildIds;
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
  if (!ControlOfViewport(object)) return nullptr;
  return new TControlInterface(static_cast<QWidget*>(object));
}

}  // namespace

void InstallControlAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlFactory);
    return true;
  }();
  (void)installed;
}

namespace {

std::function<void(QAccessibleEvent*)>& Observer() {
  static std::function<void(QAccessibleEvent*)> observer;
  return observer;
}

}  // namespace

void SetAccessibleEventObserver(std::function<void(QAccessibleEvent*)> observer) {
  Observer() = std::move(observer);
}

void RaiseAccessibleEvent(QWidget* viewport, TAccessibleEvent event, int child) {
  if (!QAccessible::isActive() && !Observer()) return;
  auto raise = [&](QAccessibleEvent& e) {
    if (child >= 0) e.setChild(child);
    if (Observer()) Observer()(&e);
    QAccessible::updateAccessibility(&e);
  };
  switch (event) {
    case aeStateChanged: {
      QAccessible::State changed;
      changed.expanded = changed.collapsed = true;
      QAccessibleStateChangeEvent e(viewport, changed);
      return raise(e);
    }
    case aeValueChanged: {
      QAccessibleValueChangeEvent e(viewport, QVariant());
      return raise(e);
    }
    default:
      break;
  }
  const QAccessible::Event type = event == aeFocus         ? QAccessible::Focus
                                  : event == aeSelection   ? QAccessible::Selection
                                  : event == aeNameChanged ? QAccessible::NameChanged
                                                           : QAccessible::ObjectReorder;
  QAccessibleEvent e(viewport, type);
  raise(e);
}
