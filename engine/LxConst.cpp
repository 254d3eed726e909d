#include "LxConst.h"

#include <algorithm>
#include <array>

namespace lx {

namespace {

constexpr std::array<TLxContextInfo, 18> kContexts{{
    {ctxUnit, "ap.srch.unit", "Exception", true},
    {ctxCaseLastName, "cc.ln_full", "N/A", true},
    {ctxCaseMac, "cc.ln_mac", "N/A", false},
    {ctxCaseExceptions, "cc.exceptions", "N/A", true},
    {ctxFirms, "np.srch.firms", "Exception", true},
    {ctxCareOf, "np.srch.care", "N/A", true},
    {ctxGenders, "np.srch.genders", "N/A", true},
    {ctxProfTitles, "np.srch.prof", "N/A", true},
    {ctxCompoundLast, "np.srch.compound_last", "N/A", true},
    {ctxPrefix, "np.srch.prefix", "N/A", true},
    {ctxSuffix, "np.srch.suffix", "Exception", true},
    {ctxPoBox, "ap.srch.pobox", "N/A", true},
    {ctxRoutes, "ap.srch.routes", "N/A", true},
    {ctxStateAbbrev, "cp.std.state_abbrv", "N/A", true},
    {ctxStateStd, "cp.std.state", "N/A", true},
    {ctxStreetSuffix, "ap.srch.street_suffix", "N/A", true},
    {ctxDirectionals, "ap.srch.directionals", "N/A", true},
    {ctxStreetNameStd, "ap.std.street_name", "N/A", true},
}};

}  // namespace

std::span<const TLxContextInfo> ContextTable() {
  return kContexts;
}

const TLxContextInfo* FindContext(std::int32_t id) {
  const auto* it = std::find_if(kContexts.begin(), kContexts.end(),
                                [id](const TLxContextInfo& c) { return c.Id == id; });
  return it == kContexts.end() ? nullptr : it;
}

std::optional<std::int32_t> ContextIdByName(std::string_view name) {
  for (const auto& c : kContexts)
    if (c.Name == name) return c.Id;
  return std::nullopt;
}

std::string_view ContextName(std::int32_t id) {
  const auto* c = FindContext(id);
  return c ? c->Name : std::string_view{};
}

}  // namespace lx
