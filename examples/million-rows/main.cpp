// A tree-list of a million rows: click a header to sort, type in the box (or in the list) to
// find a name, and read the totals in the footer.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdio>
#include <string>

#include "ExampleRun.h"
#include "treelist/TreeList.h"
#include "widgets/TreeListWidget.h"

namespace {

constexpr int kRows = 1'000'000;

// Fixed-width numbers sort by their text as they do by value.
std::string Padded(long long n, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*lld", width, n);
  return text;
}

void Fill(TTreeList& tree) {
  auto* name = tree.CreateColumn<TTreeListColumn>();
  name->SetCaption("Name");
  auto* group = tree.CreateColumn<TTreeListColumn>();
  group->SetCaption("Group");
  auto* amount = tree.CreateColumn<TTreeListColumn>();
  amount->SetCaption("Amount");
  amount->SetAlignment(taRightJustify);

  long long total = 0;
  tree.BeginUpdate();  // one relayout and one repaint for the whole load
  for (int i = 0; i < kRows; ++i) {
    const long long value = (i * 7919LL) % 100000;
    TTreeListNode* node = tree.Add();
    node->SetValues(0, "Item " + Padded(i, 7));
    node->SetValues(1, "Group " + Padded(i % 97, 2));
    node->SetValues(2, Padded(value, 5));
    total += value;
  }
  tree.EndUpdate();
  amount->SetSorted(csDown);  // largest first
  tree.SetFocusedNode(tree.Items(0), 0, true);
  name->SetFooterText(std::to_string(kRows) + " rows");
  amount->SetFooterText("Total " + std::to_string(total));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("A million rows");
  window.resize(640, 480);

  auto* find = new QLineEdit;
  find->setPlaceholderText("Find a name (Item 0004...)");
  auto* list = new TTreeListWidget;
  TTreeList& tree = list->TreeList();
  tree.SetOptions({aoColumnSizing, aoColumnMoving, aoRowSelect, aoAutoWidth, aoAutoSort});
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoAutoSearch));
  tree.SetShowFooter(true);
  Fill(tree);

  // The box finds the next row whose name starts with what was typed and focuses it.
  QObject::connect(find, &QLineEdit::textChanged, list, [&tree](const QString& text) {
    TTreeListNode* start = tree.FocusedNode() ? tree.FocusedNode() : tree.Items(0);
    if (TTreeListNode* hit = FindSearchMatch(tree, start, text.toStdString()))
      tree.SetFocusedNode(hit, 0, true);
  });

  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(find);
  layout->addWidget(list, 1);
  return RunExample(app, window);
}
