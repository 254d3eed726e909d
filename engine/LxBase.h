// TLxBaseParser: the common frame of the five parsers.
//
// A parser owns one tokenizer, remembers the dictionary path and the current
// input, upper-cases the input (a to z only), hands it to the tokenizer and
// runs its own stages. Construction creates the tokenizer, lets the parser
// configure it and then creates and loads the parser's lookups from the
// dictionary. Results stay in the parser until the next SetInput.
//
// C++ does not dispatch virtual calls from a base constructor, so a concrete
// parser's constructor calls Construct(path) first; that runs ConfigureSource
// and SetDictionaryPath, which calls CreateLookups.
//
// Errors from the tokenizer and from loading the dictionary propagate; the
// frame catches nothing. One parser serves one thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "LxSource.h"
#include "LxTypes.h"

namespace lx {

class TLxBaseParser {
 public:
  virtual ~TLxBaseParser() = default;
  TLxBaseParser(const TLxBaseParser&) = delete;
  TLxBaseParser& operator=(const TLxBaseParser&) = delete;

  // A different path stores it and creates the lookups anew.
  virtual void SetDictionaryPath(const std::string& path);
  // Input := text upper-cased (a to z only); then Parse.
  virtual void SetInput(std::string_view text);

  int WordCount() const { return Source.WordCount(); }
  // The empty text when there are no words.
  Str255 FirstWord() const;
  Str255 LastWord() const;

  const TLxSource& GetSource() const { return Source; }
  std::string_view GetCleanInput() const { return CleanInput; }
  const std::string& GetDictionaryPath() const { return DictionaryPath; }
  const std::string& GetInput() const { return Input; }

 protected:
  TLxBaseParser() = default;
  // The base construction steps after the tokenizer exists.
  void Construct(const std::string& path);

  virtual void PrepareSource();
  virtual void DeleteWords(int i, int n) { Source.DeleteWords(i, n); }
  virtual void CreateLookups() = 0;
  virtual void FreeLookups() = 0;
  virtual void ConfigureSource() { Source.SetRemovable(CharSet()); }
  virtual void Parse() { PrepareSource(); }

  TLxSource Source;
  Str255 CleanInput;
  std::string DictionaryPath;
  std::string Input;
};

// Upper-cases ASCII a to z into out, reusing out's storage.
void UpperCaseInto(std::string_view text, std::string& out);

}  // namespace lx
