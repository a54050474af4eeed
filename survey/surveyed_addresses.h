// A survey asks addresses 0 to 31.
#pragma once

constexpr int surveyed_addresses = 32;
