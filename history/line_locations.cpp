#include "history/line_locations.h"

std::array<std::string, surveyed_addresses> line_locations(const History_store& store, std::string_view site,
                                                           std::string_view line)
{
    std::array<std::string, surveyed_addresses> locations{};
    // Oldest first: each later edit replaces what an earlier one said.
    for (const Location_edit& edit : store.location_edits(site, line))
        if (edit.address >= 0 && edit.address < surveyed_addresses)
            locations[static_cast<std::size_t>(edit.address)] = edit.place.location;
    return locations;
}
