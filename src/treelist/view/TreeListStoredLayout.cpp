// The arrangement a user makes of a tree-list (column and band widths, order, header rows,
// visibility, sort keys, row height, panel rows) as a short text, read back into a tree-list
// whose columns may have changed since. The text is untrusted: it is parsed and checked whole
// before anything changes.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/SettingsFile.h"
#include "treelist/TreeList.h"
#include "treelist/model/TreeListErrors.h"

namespace {

constexpr const char* kSignature = "TreeListLayout 1";
constexpr const char* kSettingsKey = "Layout";
// Keys are bounded (see BoundedKey), so this holds the layout of tens of thousands of
// columns; a longer text is damage, not a layout.
constexpr size_t kMaxLayoutBytes = 1 << 24;
// Names and captions longer than this are known by their start and a checksum of the whole.
constexpr size_t kMaxKeyText = 256;

struct TStoredBand {
  std::string Key;
  int Width = 0;
  bool Visible = true;
};

struct TStoredColumn {
  std::string Key;
  int Band = 0;  // a position in the stored bands, -1 for none
  int Row = 0;
  int Width = 0;
  bool Visible = true;
};

struct TStoredSort {
  int Column = 0;  // a position in the stored columns
  TTreeListColumnSort Sorted = csUp;
};

struct TStoredLayout {
  int RowHeight = 0;  // as set; 0 follows the fonts
  int HeaderRows = 1;
  int BandRows = 1;
  std::vector<TStoredBand> Bands;
  std::vector<TStoredColumn> Columns;
  std::vector<TStoredSort> Sorts;
};

// A column is known by its name, else its caption; a band by its caption. The prefix keeps
// a caption from passing for a name. Columns without either pair up in list order, the first
// stored with the first present: a position would move as the user moves them.
constexpr const char* kNoKey = "index";

// FNV-1a: the same value on every machine and in every run, unlike std::hash.
uint64_t Checksum(const std::string& text) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  return h;
}

// A key's text, bounded so that the layout of many long captions stays readable. A long text
// gets its own tag, so it cannot pass for a short one; it is cut between whole UTF-8
// characters, as the settings file keeps text.
std::string BoundedKey(const std::string& tag, const std::string& text) {
  if (text.size() <= kMaxKeyText) return tag + ":" + text;
  size_t cut = kMaxKeyText;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  char sum[17];
  std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(Checksum(text)));
  return tag + "~" + sum + ":" + text.substr(0, cut);
}

std::string ColumnKey(const TTreeListColumn* column) {
  if (!column->Name().empty()) return BoundedKey("name", column->Name());
  return column->Caption().empty() ? kNoKey : BoundedKey("caption", column->Caption());
}

// Uncaptioned bands are told apart by their order among themselves, which moving them
// cannot change in any way the user would see.
std::vector<std::string> BandKeys(const TTreeListBands& bands) {
  std::vector<std::string> keys;
  int uncaptioned = 0;
  for (int i = 0; i < bands.Count(); ++i) {
    const std::string& caption = bands.Items(i)->Caption();
    keys.push_back(caption.empty() ? "band:" + std::to_string(uncaptioned++)
                                   : BoundedKey("caption", caption));
  }
  return keys;
}

// Keys end their line: line breaks and backslashes in them are escaped.
std::string Escape(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '\\' || c == '\n' || c == '\r')
      out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : "\\r";
    else
      out += c;
  }
  return out;
}

TStoredLayout Capture(const TTreeList& tree) {
  TStoredLayout s;
  // As the metrics see it now: a height the fonts have caught up with counts as not set.
  const int height = tree.DefaultRowHeight();
  s.RowHeight = height > tree.Metrics().MinRowHeight ? height : 0;
  // With aoAutoHeaderPanelHeight the rows follow the columns: the count as set is kept.
  s.HeaderRows = tree.StoredHeaderPanelRowCount();
  s.BandRows = tree.BandRowCount();
  const std::vector<std::string> bandKeys = BandKeys(tree.Bands());
  for (int i = 0; i < tree.Bands().Count(); ++i) {
    const TTreeListBand* b = tree.Bands().Items(i);
    s.Bands.push_back({bandKeys[i], b->Width(), b->Visible()});
  }
  for (int i = 0; i < tree.ColumnCount(); ++i) {
    const TTreeListColumn* c = tree.Columns(i);
    s.Columns.push_back({ColumnKey(c), c->BandIndex(), c->RowIndex(), c->Width(), c->Visible()});
  }
  for (const TTreeListColumn* c : tree.SortColumns()) s.Sorts.push_back({c->Index(), c->Sorted()});
  return s;
}

std::string Format(const TStoredLayout& s) {
  std::ostringstream out;
  out << kSignature << '\n';
  out << "rows " << s.RowHeight << ' ' << s.HeaderRows << ' ' << s.BandRows << '\n';
  out << "bands " << s.Bands.size() << '\n';
  for (const TStoredBand& b : s.Bands)
    out << "band " << b.Width << ' ' << b.Visible << ' ' << Escape(b.Key) << '\n';
  out << "columns " << s.Columns.size() << '\n';
  for (const TStoredColumn& c : s.Columns)
    out << "column " << c.Band << ' ' << c.Row << ' ' << c.Width << ' ' << c.Visible << ' '
        << Escape(c.Key) << '\n';
  out << "sorts " << s.Sorts.size() << '\n';
  for (const TStoredSort& k : s.Sorts) out << "sort " << k.Column << ' ' << k.Sorted << '\n';
  out << "end\n";
  return out.str();
}

// Reads the text line by line; every number must lie in its range, every count must be met by
// the lines that follow, and the text must close with its end line.
class TLayoutParser {
 public:
  explicit TLayoutParser(const std::string& text) : FText(text) {}

  TStoredLayout Parse() {
    if (Line() != kSignature) Fail("not a tree-list layout");
    TStoredLayout s;
    Fields("rows", 3);
    NoRest();
    s.RowHeight = Number(0, 0, kMaxRowHeight);
    s.HeaderRows = Number(1, 1, kMaxPanelRowCount);
    s.BandRows = Number(2, 1, kMaxPanelRowCount);
    s.Bands.resize(Count("bands"));
    for (TStoredBand& b : s.Bands) {
      Fields("band", 2);
      b = {Key(), Number(0, 0, kMaxColumnWidth), Number(1, 0, 1) == 1};
    }
    s.Columns.resize(Count("columns"));
    const int lastBand = static_cast<int>(s.Bands.size()) - 1;
    for (TStoredColumn& c : s.Columns) {
      Fields("column", 4);
      c = {Key(), Number(0, -1, lastBand), Number(1, 0, kMaxPanelRowCount - 1),
           Number(2, 0, kMaxColumnWidth), Number(3, 0, 1) == 1};
    }
    s.Sorts.resize(Count("sorts"));
    std::vector<bool> sorted(s.Columns.size(), false);
    for (TStoredSort& k : s.Sorts) {
      Fields("sort", 2);
      NoRest();
      k = {Number(0, 0, static_cast<int>(s.Columns.size()) - 1),
           static_cast<TTreeListColumnSort>(Number(1, csDown, csUp))};
      if (sorted[k.Column]) Fail("a column is sorted twice");
      sorted[k.Column] = true;
    }
    if (Line() != "end" || FPos < FText.size()) Fail("the layout does not end where it should");
    return s;
  }

 private:
  [[noreturn]] static void Fail(const std::string& what) {
    throw ELayoutError("Invalid tree-list layout: " + what);
  }

  std::string Line() {
    if (FPos >= FText.size()) Fail("the layout is cut short");
    const size_t end = FText.find('\n', FPos);
    if (end == std::string::npos) Fail("the layout is cut short");
    std::string line = FText.substr(FPos, end - FPos);
    FPos = end + 1;
    return line;
  }

  // Splits the next line into its tag, `count` numbers and the rest, a key.
  void Fields(const char* tag, int count) {
    FRest = Line();
    FNumbers.clear();
    for (int i = 0; i <= count; ++i) {
      const size_t space = FRest.find(' ');
      if (space == std::string::npos && i < count) Fail(std::string("a short ") + tag + " line");
      const std::string field = FRest.substr(0, space);
      FRest = space == std::string::npos ? std::string() : FRest.substr(space + 1);
      if (i == 0 && field != tag) Fail(std::string("a ") + tag + " line expected");
      if (i > 0) FNumbers.push_back(field);
    }
  }

  void NoRest() const {
    if (!FRest.empty()) Fail("garbage at the end of a line");
  }

  size_t Count(const char* tag) {
    Fields(tag, 1);
    NoRest();
    // Every counted item takes a line of at least a few bytes.
    const int count = Number(0, 0, static_cast<int>(kMaxLayoutBytes));
    if (static_cast<size_t>(count) > (FText.size() - FPos) / 4)
      Fail(std::string(tag) + " exceed the data present");
    return static_cast<size_t>(count);
  }

  int Number(size_t field, int least, int most) const {
    const std::string& text = FNumbers.at(field);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
      Fail("\"" + text + "\" is not a number");
    if (value < least || value > most) Fail(text + " is out of range");
    return value;
  }

  std::string Key() {
    std::string key;
    for (size_t i = 0; i < FRest.size(); ++i) {
      if (FRest[i] != '\\') {
        key += FRest[i];
        continue;
      }
      const char next = ++i < FRest.size() ? FRest[i] : '\0';
      if (next != '\\' && next != 'n' && next != 'r') Fail("a bad escape in a key");
      key += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
    }
    if (key.empty()) Fail("an empty key");
    return key;
  }

  const std::string& FText;
  size_t FPos = 0;
  std::string FRest;
  std::vector<std::string> FNumbers;
};

// Which present item each stored one stands for, by key; -1 for none. Items with the same key
// pair up in order.
template <class KeyOf>
std::vector<int> MatchKeys(const std::vector<std::string>& stored, int present, KeyOf keyOf) {
  std::vector<int> match(stored.size(), -1);
  std::vector<bool> taken(static_cast<size_t>(present), false);
  for (size_t s = 0; s < stored.size(); ++s)
    for (int p = 0; p < present; ++p)
      if (!taken[p] && keyOf(p) == stored[s]) {
        match[s] = p;
        taken[p] = true;
        break;
      }
  return match;
}

template <class T>
std::vector<std::string> KeysOf(const std::vector<T>& items) {
  std::vector<std::string> keys;
  for (const T& item : items) keys.push_back(item.Key);
  return keys;
}

// Whether the layout was made over the bands the control has, in whatever order: only then
// do its band arrangement and the columns' places in the bands mean anything here.
bool SameBands(const TTreeList& tree, const TStoredLayout& s) {
  std::vector<std::string> stored = KeysOf(s.Bands), present = BandKeys(tree.Bands());
  std::sort(stored.begin(), stored.end());
  std::sort(present.begin(), present.end());
  return stored == present;
}

// The bands take the stored order, widths and visibility. Returns the band each stored band
// now is.
std::vector<TTreeListBand*> ApplyBands(TTreeList& tree, const TStoredLayout& s) {
  TTreeListBands& bands = tree.Bands();
  const std::vector<std::string> keys = BandKeys(bands);
  const std::vector<int> match =
      MatchKeys(KeysOf(s.Bands), bands.Count(), [&](int i) { return keys[i]; });
  std::vector<TTreeListBand*> result;
  for (int m : match) result.push_back(bands.Items(m));
  for (size_t i = 0; i < result.size(); ++i) {
    result[i]->SetIndex(static_cast<int>(i));
    result[i]->SetVisible(s.Bands[i].Visible);
    result[i]->SetWidth(s.Bands[i].Width);
  }
  return result;
}

// The matched columns take the list places the matched ones hold, in the stored order; the
// others keep their places. Their node values move with them.
void OrderColumns(TTreeList& tree, const std::vector<TTreeListColumn*>& stored) {
  std::vector<TTreeListColumn*> order;
  for (int i = 0; i < tree.ColumnCount(); ++i) order.push_back(tree.Columns(i));
  auto next = stored.begin();
  for (TTreeListColumn*& slot : order) {
    if (std::find(stored.begin(), stored.end(), slot) == stored.end()) continue;
    while (!*next) ++next;
    slot = *next++;
  }
  for (int i = 0; i < static_cast<int>(order.size()); ++i) tree.MoveColumn(order[i]->Index(), i);
}

// Without bands (a layout made over other bands) the columns keep their band and header row.
void ApplyColumns(TTreeList& tree, const TStoredLayout& s,
                  const std::vector<TTreeListBand*>* bands) {
  const std::vector<int> match = MatchKeys(KeysOf(s.Columns), tree.ColumnCount(),
                                           [&](int i) { return ColumnKey(tree.Columns(i)); });
  std::vector<TTreeListColumn*> columns;
  for (int m : match) columns.push_back(tree.Columns(m));
  OrderColumns(tree, columns);
  std::vector<std::pair<TTreeListColumn*, TTreeListColumnSort>> sorts;
  for (size_t i = 0; i < columns.size(); ++i) {
    TTreeListColumn* c = columns[i];
    if (!c) continue;
    const TStoredColumn& stored = s.Columns[i];
    if (bands) {
      c->SetBandIndex(stored.Band < 0 ? -1 : (*bands)[stored.Band]->Index());
      c->SetRowIndex(stored.Row);
    }
    c->SetWidth(stored.Width);
    c->SetVisible(stored.Visible);
  }
  for (const TStoredSort& k : s.Sorts)
    if (columns[k.Column]) sorts.push_back({columns[k.Column], k.Sorted});
  tree.RestoreSortColumns(sorts);
}

// In pieces: a short layout takes no buffer of the longest one.
std::string ReadAll(std::istream& in) {
  std::string text;
  char piece[1 << 16];
  while (in && text.size() <= kMaxLayoutBytes) {
    in.read(piece, sizeof piece);
    text.append(piece, static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) throw ELayoutError("Invalid tree-list layout: the stream cannot be read");
  if (text.size() > kMaxLayoutBytes) throw ELayoutError("Invalid tree-list layout: too long");
  return text;
}

}  // namespace

std::string TTreeList::LayoutText() const {
  return Format(Capture(*this));
}

void TTreeList::RestoreLayoutText(const std::string& text) {
  if (text.size() > kMaxLayoutBytes) throw ELayoutError("Invalid tree-list layout: too long");
  const TStoredLayout s = TLayoutParser(text).Parse();
  const auto lock = UpdateScope();
  SetBandRowCount(s.BandRows);
  SetDefaultRowHeight(s.RowHeight);
  if (!SameBands(*this, s)) return ApplyColumns(*this, s, nullptr);
  // The header rows belong to the band arrangement: fewer would fold the control's own.
  SetHeaderPanelRowCount(s.HeaderRows);
  const std::vector<TTreeListBand*> bands = ApplyBands(*this, s);
  ApplyColumns(*this, s, &bands);
}

void TTreeList::SaveLayout(std::ostream& out) const {
  out << LayoutText();
  out.flush();
  if (!out) throw ELayoutError("The tree-list layout could not be written");
}

void TTreeList::RestoreLayout(std::istream& in) {
  RestoreLayoutText(ReadAll(in));
}

void TTreeList::SaveLayoutToFile(const std::string& fileName) const {
  WriteFileAtomically(fileName, LayoutText());
}

void TTreeList::RestoreLayoutFromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw ELayoutError("Cannot open the layout file \"" + fileName + "\"");
  RestoreLayout(in);
}

bool TTreeList::StoresLayout() const {
  return !FStorageFile.empty() &&
         (Options().Contains(aoStoreToRegistry) || Options().Contains(aoStoreToIniFile));
}

void TTreeList::StoreLayoutSettings() const {
  if (!StoresLayout()) return;
  const std::unique_ptr<TSettingsFile> settings = OpenUserSettings(FStorageFile);
  settings->Write(FStorageSection, kSettingsKey, LayoutText());
  settings->Flush();
}

bool TTreeList::RestoreLayoutSettings() {
  if (!StoresLayout()) return false;
  const std::optional<std::string> text =
      OpenUserSettings(FStorageFile)->Read(FStorageSection, kSettingsKey);
  if (!text) return false;
  RestoreLayoutText(*text);
  return true;
}

void TTreeList::Loaded() {
  TCustomTreeListControl::Loaded();
  // A damaged stored layout leaves the control as the program made it; the program hears of
  // it, but the load itself succeeded.
  try {
    RestoreLayoutSettings();
  } catch (const Exception& e) {
    if (OnLayoutError) OnLayoutError(this, e.what());
  }
}
