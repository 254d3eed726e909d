// The six dictionary lookups of the street-address parser.
//
// Each is a plain source-to-target lookup that differs from TLxSimpleSearch
// only in the context it loads. What the parser reads from a found entry:
// street suffix: Key (the suffix as written) and Target (its standard form);
// unit: Target (the designator) and Spec_Case (a unit word that stands without
// a number, or with target "FL" a floor word); directional: Target (one or two
// letters); box and route: presence only; street-name word: Target (its
// standard form). A context without records gives a lookup that finds nothing.
#pragma once

#include <cstdint>

#include "LxLists.h"

namespace lx {

class TLxStSuffixSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

class TLxUnitSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

class TLxDirectSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

class TLxBoxSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

class TLxRouteSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

class TLxStreetStdSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override;
};

}  // namespace lx
