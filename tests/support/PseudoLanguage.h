// A test language made from the translators' template: every text as [[English]], so that a
// text shown or said without going through the catalogue stands out.
#pragma once

#include <span>

#include "language/Catalogue.h"

namespace language {

std::span<const TCatalogue> PseudoCatalogues();

}  // namespace language
