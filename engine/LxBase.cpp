#include "LxBase.h"

#include "LxUtils.h"

namespace lx {

void UpperCaseInto(std::string_view text, std::string& out) {
  out.assign(text);
  for (char& c : out) c = UpCase(c);
}

void TLxBaseParser::Construct(const std::string& path) {
  ConfigureSource();
  SetDictionaryPath(path);
}

void TLxBaseParser::SetDictionaryPath(const std::string& path) {
  if (path == DictionaryPath) return;
  DictionaryPath = path;
  CreateLookups();
}

void TLxBaseParser::SetInput(std::string_view text) {
  UpperCaseInto(text, Input);
  Parse();
}

void TLxBaseParser::PrepareSource() {
  Source.SetText(std::string_view(Input).substr(0, TLxSource::kMaxText));
  CleanInput = Source.GetText();
}

Str255 TLxBaseParser::FirstWord() const {
  return WordCount() > 0 ? Source.FirstWord() : Str255();
}

Str255 TLxBaseParser::LastWord() const {
  return WordCount() > 0 ? Source.LastWord() : Str255();
}

}  // namespace lx
