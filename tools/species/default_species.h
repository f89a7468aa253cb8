// The default species that the install folder's "Init" folder ships: a potted plant that grows
// from a seedling into a branched stem with leaves.
#pragma once

#include "tools/species/species_builder.h"

namespace species {

/// The description of the default species (see default_species.cpp for the biology).
[[nodiscard]] Species DefaultSpecies();

}  // namespace species
