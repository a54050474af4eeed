#include "survey/detector_band.h"

#include "survey/colours.h"

#include <cmath>

namespace {

constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t white = 0xFFFFFF;

struct Band_names {
    Band band;
    const char* words;
    const char* key;
};

constexpr Band_names band_names[] = {
    {Band::clean, QT_TRANSLATE_NOOP("TForm_main", "czysta"), "clean"},
    {Band::medium, QT_TRANSLATE_NOOP("TForm_main", "średnie zabrudzenie"), "medium"},
    {Band::needs_cleaning, QT_TRANSLATE_NOOP("TForm_main", "wymaga czyszczenia"), "needs_cleaning"},
    {Band::absent, QT_TRANSLATE_NOOP("TForm_main", "nieobecna"), "absent"},
    {Band::unknown, QT_TRANSLATE_NOOP("TForm_main", "poziom nieznany"), "unknown"},
};

const Band_names& names_of(Band band)
{
    return band_names[static_cast<std::size_t>(band)];
}

std::string words_used(const KVR27_dust_data& record, Translate words)
{
    std::string text = "U0 = " + std::to_string(record.u0) + ", UR = " + std::to_string(record.ur) +
                       ", URc = " + std::to_string(record.urc) + ", U = " + std::to_string(record.u);
    if (!saturated(record) && record.urc < recalibration_limit)
        text += words(QT_TRANSLATE_NOOP("TForm_main", " (UR wzięte z URc)"));
    return text;
}

// Relative luminance of one sRGB channel, as the contrast rules of the
// accessibility guidelines define it.
double linear_channel(std::uint32_t value)
{
    const double channel = static_cast<double>(value & 0xFFu) / 255.0;
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t bgr)
{
    return 0.2126 * linear_channel(bgr) + 0.7152 * linear_channel(bgr >> 8) + 0.0722 * linear_channel(bgr >> 16);
}

} // namespace

Band band_of(const KVR27_dust_data& record)
{
    if (!record.present)
        return Band::absent;
    switch (record.colour) {
    case colour::green:
        return Band::clean;
    case colour::olive:
        return Band::medium;
    case colour::red:
        return Band::needs_cleaning;
    default:
        return Band::unknown;
    }
}

bool saturated(const KVR27_dust_data& record)
{
    // The rating keeps U as read when it saturates, and rates 100, red. A U
    // above the limit that the rating itself raised to U0 + 1 (U below an
    // erased U0) rates otherwise and is no saturation.
    return record.present && record.u > saturation_word && record.contamination == 100 && record.colour == colour::red;
}

std::optional<int> known_level(const KVR27_dust_data& record)
{
    const Band band = band_of(record);
    if (band == Band::absent || band == Band::unknown)
        return std::nullopt;
    return record.contamination;
}

const char* band_words(Band band)
{
    return names_of(band).words;
}

const char* band_key(Band band)
{
    return names_of(band).key;
}

std::optional<Band> band_from_key(std::string_view key)
{
    for (const Band_names& names : band_names)
        if (key == names.key)
            return names.band;
    return std::nullopt;
}

std::string level_text(const KVR27_dust_data& record, Translate words)
{
    if (!record.present)
        return "";
    if (saturated(record))
        return words(QT_TRANSLATE_NOOP("TForm_main", "nasycona"));
    if (const auto level = known_level(record))
        return std::to_string(*level) + "%";
    return "?";
}

std::string record_description(const KVR27_dust_data& record, Translate words)
{
    const Band band = band_of(record);
    const std::string named = words(band_words(band));
    if (band == Band::absent)
        return fill(words(QT_TRANSLATE_NOOP("TForm_main",
                                            "%1: czujka nie odpowiedziała albo nie udało się odczytać wszystkich jej "
                                            "słów")),
                    {named});
    if (saturated(record))
        return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1: odbiornik nasycony (U = %2, powyżej %3)\nsłowa: %4")),
                    {named, std::to_string(record.u), std::to_string(saturation_word), words_used(record, words)});
    if (band == Band::unknown)
        return fill(words(QT_TRANSLATE_NOOP("TForm_main",
                                            "%1: słowa kalibracyjne UR i U0 są równe, nie ma zakresu do obliczenia "
                                            "poziomu (pamięć kalibracyjna czujki może być skasowana)\nsłowa: %2")),
                    {named, words_used(record, words)});
    return fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1: %2%\nobliczony ze słów: %3")),
                {named, std::to_string(record.contamination), words_used(record, words)});
}

std::uint32_t readable_text_colour(std::uint32_t fill)
{
    const double fill_luminance = luminance(fill);
    const double against_black = (fill_luminance + 0.05) / 0.05;
    const double against_white = 1.05 / (fill_luminance + 0.05);
    return against_black >= against_white ? black : white;
}

Band_counts count_bands(std::span<const KVR27_dust_data> records)
{
    Band_counts counts;
    for (const KVR27_dust_data& record : records)
        ++counts.of[static_cast<std::size_t>(band_of(record))];
    return counts;
}

std::vector<int> addresses_to_clean(std::span<const KVR27_dust_data> records)
{
    std::vector<int> addresses;
    for (std::size_t address = 0; address < records.size(); ++address)
        if (band_of(records[address]) == Band::needs_cleaning)
            addresses.push_back(static_cast<int>(address));
    return addresses;
}
