#pragma once

#include "clsDATEN.h"

#include <memory>
#include <QString>

// A table cursor on one table, selecting the first active record (as a new cursor does).
inline std::unique_ptr<clsDATEN> tabellenzeiger(const char* table) {
    auto cursor = std::make_unique<clsDATEN>();
    cursor->ETABELLE = QString::fromLatin1(table);
    return cursor;
}
