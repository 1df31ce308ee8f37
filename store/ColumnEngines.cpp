// The two column engines behind the single-value and the array transfers.
#include "clsDATEN.h"

#include "platform/db/Connection.h"
#include "platform/db/DatabaseFailure.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/VbError.h"
#include "RowValues.h"

using platform::Variant;
using platform::VbError;

namespace {
// Rows and elements are counted in 16 bits: a longer array is refused.
constexpr size_t MaxElements = 32767;
} // namespace

bool clsDATEN::SPALTESPEICHERN(const QString& SPV, const std::vector<Variant>& values, const Pairs& pairs) {
    storageFailure_.clear();
    try {
        if (values.empty() || values.size() > MaxElements) throw VbError::subscriptOutOfRange();
        // One transaction: a failing row undoes the rows written before it.
        platform::Connection::Transaction transaction(connection());
        auto rs = openSelection(SPV, pairs);
        // What every row gets besides the value: its ID, the filter values and the keys, in this order.
        std::vector<std::pair<QString, Variant>> rowValues;
        rowValues.emplace_back(ESPID, Variant(ESPIDW));
        for (int p = 0; p < 4; ++p)
            if (pairs.value[p]) rowValues.emplace_back(pairs.column[p], *pairs.value[p]);
        for (const auto& [key, keyValue] : {std::pair{&ESPK1, &ESPK1W}, {&ESPK2, &ESPK2W}, {&ESPK3, &ESPK3W}})
            if (!key->isEmpty() && !keyValue->isEmpty()) rowValues.emplace_back(*key, Variant(*keyValue));
        std::vector<int> fields;
        for (const auto& [column, value] : rowValues)
            fields.push_back(rs->fieldIndex(column));
        for (size_t i = 0; i < values.size(); ++i) {
            if (rs->eof())
                rs->AddNew();
            else if (i == 0)
                rs->MoveFirst();
            const Variant& value = values[i];
            rs->SetValue(0, value.isString() && value.asString().isEmpty() ? Variant::null() : value);
            for (size_t k = 0; k < rowValues.size(); ++k) {
                if (fields[k] >= 0)
                    store::setUnlessHeld(*rs, fields[k], rowValues[k].second);
                else
                    store::setUnlessHeld(*rs, rowValues[k].first, rowValues[k].second);
            }
            rs->Update();
            if (!rs->eof()) rs->MoveNext();
            platform::DoEventsWithoutInput();
        }
        while (!rs->eof()) {
            rs->Delete();
            rs->MoveNext();
        }
        rs->Close();
        transaction.commit();
        return true;
    } catch (const VbError& e) {
        // A full or failing disk is not the value's fault: the message names the disk instead.
        const platform::DatabaseFailure cause = platform::databaseFailure(e);
        if (cause == platform::DatabaseFailure::DiskFull || cause == platform::DatabaseFailure::DeviceIO)
            storageFailure_ = e.Description();
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool clsDATEN::SPALTEEINLESEN(const QString& SPV, std::vector<Variant>& values, const Pairs& pairs) {
    try {
        if (values.size() > MaxElements) throw VbError::overflow();
        auto rs = openSelection(SPV, pairs, Use::Read);
        if (!rs->eof()) {
            rs->MoveFirst();
            for (size_t i = 0; i < values.size(); ++i) {
                Variant value = rs->Value(0);
                if (!value.isNull()) values[i] = std::move(value);
                rs->MoveNext();
                if (rs->eof()) break;
            }
        }
        rs->Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
