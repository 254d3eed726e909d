#include "LxAdFind.h"

#include "LxConst.h"

namespace lx {

std::int32_t TLxStSuffixSearch::ContextId() const {
  return ctxStreetSuffix;
}
std::int32_t TLxUnitSearch::ContextId() const {
  return ctxUnit;
}
std::int32_t TLxDirectSearch::ContextId() const {
  return ctxDirectionals;
}
std::int32_t TLxBoxSearch::ContextId() const {
  return ctxPoBox;
}
std::int32_t TLxRouteSearch::ContextId() const {
  return ctxRoutes;
}
std::int32_t TLxStreetStdSearch::ContextId() const {
  return ctxStreetNameStd;
}

}  // namespace lx
