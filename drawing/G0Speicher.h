#pragma once

#include <cstdint>
#include <memory>
#include <QString>

class clsDATEN;

namespace drawing {

// The stored settings of one diagram: the row of table G0 with the record's ID and the diagram number,
// read and written one column at a time through the table cursor. A missing row or a Null reads as 0; a
// write creates a missing row. A failed read or write shows the cursor's message and returns false.
class G0Speicher {
public:
    G0Speicher(std::int32_t id, std::int16_t idObjekt);
    ~G0Speicher();

    bool lesen(const QString& column, std::int16_t& value);
    bool lesen(const QString& column, float& value);
    bool schreiben(const QString& column, float value);

private:
    std::unique_ptr<clsDATEN> daten_;
    std::int16_t idObjekt_;
};

} // namespace drawing
