#include "platform/Exception.h"

void ListIndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
