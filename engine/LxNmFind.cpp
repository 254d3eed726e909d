#include "LxNmFind.h"

namespace lx {

void TLxGenderize::AddRecord(const TLxDictRecord& record) {
  TLxItem* const previous = LastAdded;
  LastAdded = nullptr;
  TLxSimpleSearch::AddRecord(record);
  if (LastAdded == nullptr) {
    LastAdded = previous;
    return;
  }
  const std::string_view target = record.TargetText();
  LastAdded->GenderCode = target.empty() ? 0 : static_cast<std::uint8_t>(target.front());
}

bool TLxGenderize::Lookup(std::string_view text) {
  GenderLevel = '9';
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string_view::npos ? std::string_view() : text.substr(first);
  const std::string_view key = text.substr(0, text.find(' '));
  const bool found = FindKey(key);
  if (found) GenderLevel = static_cast<char>(Found->GenderCode);
  MapGender();
  return found;
}

void TLxGenderize::MapGender() {
  switch (GenderLevel) {
    case '1':
    case '3':
      Gender = 'M';
      break;
    case '2':
    case '4':
      Gender = 'F';
      break;
    case '5':
      Gender = 'A';
      break;
    default:
      Gender = 'U';
  }
}

}  // namespace lx
