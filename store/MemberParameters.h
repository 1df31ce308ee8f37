#pragma once

// The four optional column/value pairs that the transfer members take after their value, as they are
// spelled in the definitions, and the packing of them that the members hand on.
#define CLSDATEN_PAIR_PARAMETERS                                                                             \
    const QString &SPI1, const OptionalVariant &SPI1W, const QString &SPI2, const OptionalVariant &SPI2W,    \
        const QString &SPI3, const OptionalVariant &SPI3W, const QString &SPI4, const OptionalVariant &SPI4W
#define CLSDATEN_PAIRS pairsOf(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W)

// The grid members and the list filler take three pairs and a fourth column that only orders.
#define CLSDATEN_THREE_PAIR_PARAMETERS                                                                       \
    const QString &SPI1, const OptionalVariant &SPI1W, const QString &SPI2, const OptionalVariant &SPI2W,    \
        const QString &SPI3, const OptionalVariant &SPI3W, const QString &SPI4
#define CLSDATEN_THREE_PAIRS pairsOf(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, std::nullopt)
