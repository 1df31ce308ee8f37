#pragma once

#include "platform/runtime/Variant.h"
#include "Statement.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <QString>
#include <vector>

namespace store {
struct Statement;
}

namespace platform {
class Connection;
class Recordset;
class CheckBox;
class ComboBox;
class FlexGrid;
class Label;
class ListBox;
class OptionButton;
class TextBox;
} // namespace platform

// A value that a caller may leave out: an omitted filter value selects nothing, it only orders.
using OptionalVariant = std::optional<platform::Variant>;

// The table cursor: the one way in which the forms and classes of the program read and write the databases.
//
// One object describes one cursor: a connection, a table (ETABELLE), the table's ID column (ESPID) with the
// ID of one record (ESPIDW) and up to three text keys (ESPK1..ESPK3 with their values ESPK1W..ESPK3W). A
// member moves one column (SPV) between the cursor's selection and a control, a variable, an array, a grid
// column or a collection. The selection is narrowed further by up to four per-call pairs SPI1/SPI1W ..
// SPI4/SPI4W: a named column orders the rows, and with a value it also filters them:
//
//   clsDATEN daten;                     // the working copy, table E1, the first active record
//   daten.ETABELLE = "E3";
//   float m1 = 0;
//   daten.DTVS("M1", m1, "I1", 3);      // column M1 of reading 3
//   daten.DVTS("M1", 12.5f, "I1", 3);   // writes it, creating the row when it is missing
//
// A write replaces the selection: element i of an array belongs to row i, missing rows are appended with the
// ID, the filter values and the keys, surplus rows are deleted; an empty text is stored as Null. Each write
// is one transaction: a write that fails leaves the selection as it was. A single-value read of a missing row
// or of a Null gives 0, "", False, the date value 0 or Empty; array and grid reads keep what the target
// held. Members return False and show their own message when they fail.
//
// Values of keys and text criteria are quoted in the statements, so an apostrophe in a value selects
// exactly the rows holding it.
class clsDATEN {
public:
    // Points at the working copy, table E1, column ID and the first record whose AKT is true (0 when none).
    clsDATEN();
    ~clsDATEN();
    clsDATEN(const clsDATEN&) = delete;
    clsDATEN& operator=(const clsDATEN&) = delete;

    // --- Cursor settings ---

    // True: the presets database (the working copy in the development mode); False: the working copy.
    void EBOV(bool value);
    // Opens the information-system database of this name (without ".mdb") on a connection of the object's
    // own. BOINF tells whether it was opened; when it was not, the previous connection stays.
    void EINFMDB(const QString& name, bool& BOINF);
    // The name last given to EINFMDB.
    const QString& EINFMDB() const { return einfmdb_; }
    // Binds this cursor to the connection of another one (a database that cursor opened with EINFMDB), so
    // that the writes of several cursors can run in one transaction of that connection.
    void shareConnection(const clsDATEN& other) {
        connection_ = other.connection_;
        einfmdb_ = other.einfmdb_;
    }
    // The connection the cursor works on (unset only when the run had none).
    const std::shared_ptr<platform::Connection>& sharedConnection() const { return connection_; }

    QString ETABELLE = QStringLiteral("E1");
    QString ESPID = QStringLiteral("ID"); // "" reads the table without an ID filter
    std::int32_t ESPIDW = 0;
    QString ESPK1; // text key columns ("" = not used) and their values
    QString ESPK1W;
    QString ESPK2;
    QString ESPK2W;
    QString ESPK3;
    QString ESPK3W;

    // Opens the selection of column SPV: SPV is field 0, followed by the ID column, the per-call columns and
    // the key columns.
    std::unique_ptr<platform::Recordset> DT(const QString& SPV, const QString& SPI1 = {},
                                            const OptionalVariant& SPI1W = {}, const QString& SPI2 = {},
                                            const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
                                            const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
                                            const OptionalVariant& SPI4W = {});

    // The text of the last statement that a member opened (for checks and diagnostics).
    QString lastStatement() const { return lastStatement_.shown(); }

    // --- Control writes: what a control holds, into column SPV of the selection ---

    bool DFTC(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTCC(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTCV(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    // Column SPNR (a number as text) of every data row of the grid, one row of the selection each; a
    // disabled grid deletes the selection. SPI4 only orders.
    bool DFTF(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    bool DFTFM(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    bool DFTI(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTIL(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTIS(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTL(const QString& SPV, platform::Label& lblX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTLC(const QString& SPV, platform::Label& lblX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTLI(const QString& SPV, platform::Label& lblX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTM(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTML(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTMS(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTMT(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTO(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTOC(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTOV(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DFTT(const QString& SPV, platform::TextBox& txtX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DFTTT(const QString& SPV, platform::TextBox& txtX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});

    // --- Control reads: column SPV of the selection's first row into a control ---

    bool DTFC(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFCC(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFCV(const QString& SPV, platform::CheckBox& chkX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    // The whole selection into grid column SPNR, from the first data row (ZNR up to FixedRows) or from row
    // ZNR + 1; the grid grows to hold every row. An empty selection greys and disables the grid.
    bool DTFF(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              std::int16_t ZNR = 0);
    bool DTFFM(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    bool DTFI(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFIL(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFIS(const QString& SPV, platform::ListBox& lstX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFL(const QString& SPV, platform::Label& lblX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFLC(const QString& SPV, platform::Label& lblX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFM(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFML(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    // Every non-Null value of the selection as a new item, after the items already there. SPI4 only orders.
    bool DTFMM(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    bool DTFMS(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFMT(const QString& SPV, platform::ComboBox& cboX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFO(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFOC(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFOV(const QString& SPV, platform::OptionButton& optX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTFT(const QString& SPV, platform::TextBox& txtX, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTFTT(const QString& SPV, platform::TextBox& txtX, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});

    // --- Variable writes: a value or an array into column SPV of the selection ---
    // Dates are days since 30 December 1899, the fraction being the time of day.

    bool DVTA(const QString& SPV, double DTM, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTB(const QString& SPV, bool BO, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTBF(const QString& SPV, const std::vector<bool>& BO, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DVTT(const QString& SPV, const QString& TXT, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DVTTF(const QString& SPV, const std::vector<QString>& TXT, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DVTI(const QString& SPV, std::int16_t I, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTIF(const QString& SPV, const std::vector<std::int16_t>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DVTL(const QString& SPV, std::int32_t L, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTS(const QString& SPV, float ZAHL, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DVTD(const QString& SPV, double ZAHL, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DVTV(const QString& SPV, const platform::Variant& WERT, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DVTVF(const QString& SPV, const std::vector<platform::Variant>& FELD, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});

    // --- Variable reads: column SPV of the selection into a variable, an array or a collection ---
    // The array reads never resize the caller's array: element i takes row i.

    bool DTVA(const QString& SPV, double& DATUM, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DTVAF(const QString& SPV, std::vector<double>& DATUM, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTVB(const QString& SPV, bool& BO, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DTVBF(const QString& SPV, std::vector<bool>& BO, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTVT(const QString& SPV, QString& TXT, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTVI(const QString& SPV, std::int16_t& I, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTVIF(const QString& SPV, std::vector<std::int16_t>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTVL(const QString& SPV, std::int32_t& L, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTVS(const QString& SPV, float& ZAHL, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    bool DTVD(const QString& SPV, double& ZAHL, const QString& SPI1 = {}, const OptionalVariant& SPI1W = {},
              const QString& SPI2 = {}, const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
              const OptionalVariant& SPI3W = {}, const QString& SPI4 = {}, const OptionalVariant& SPI4W = {});
    bool DTVV(const QString& SPV, platform::Variant& WERT, const QString& SPI1 = {},
              const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
              const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
              const OptionalVariant& SPI4W = {});
    bool DTVVF(const QString& SPV, std::vector<platform::Variant>& ZAHLEN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
               const OptionalVariant& SPI4W = {});
    // Every non-Null value of the selection, in order; X is replaced only when the selection has rows.
    // Fails silently.
    bool DTVCOL(const QString& SPV, std::vector<platform::Variant>& X, const QString& SPI1 = {},
                const OptionalVariant& SPI1W = {}, const QString& SPI2 = {},
                const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
                const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
                const OptionalVariant& SPI4W = {});

    // --- Queries ---

    // The first and last value (ascending) and the number of rows of the last named column of SPI1..SPI4;
    // the columns before it filter by their values. All 0 for an empty selection.
    void INDEX(std::int16_t& MINI, std::int16_t& MAXI, std::int16_t& AN, const QString& SPI1 = {},
               const OptionalVariant& SPI1W = {}, const QString& SPI2 = {}, const OptionalVariant& SPI2W = {},
               const QString& SPI3 = {}, const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    void INDEXL(std::int32_t& MINI, std::int32_t& MAXI, std::int32_t& AN, const QString& SPI1 = {},
                const OptionalVariant& SPI1W = {}, const QString& SPI2 = {},
                const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
                const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    void INDEXV(platform::Variant& MINI, platform::Variant& MAXI, std::int16_t& AN, const QString& SPI1 = {},
                const OptionalVariant& SPI1W = {}, const QString& SPI2 = {},
                const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
                const OptionalVariant& SPI3W = {}, const QString& SPI4 = {});
    // The IDs and the names of the records other than row 0: with AKT the active ones by ID, otherwise all
    // by name. The lists are left as they were when nothing is found. Failures pass to the caller.
    void LID(std::vector<std::int32_t>& ID, bool AKT = false);
    void LKEN(std::vector<QString>& KEN, bool AKT = false);
    // Deletes every row of the selection.
    bool LOESCHEN(const QString& SPI1 = {}, const OptionalVariant& SPI1W = {}, const QString& SPI2 = {},
                  const OptionalVariant& SPI2W = {}, const QString& SPI3 = {},
                  const OptionalVariant& SPI3W = {}, const QString& SPI4 = {},
                  const OptionalVariant& SPI4W = {});
    // The IDs of the rows of ETABELLE that match every criterion with a value (column, value, operator),
    // ordered by the named columns. False, with IDKR unchanged, when no row matches.
    bool IDKRIT(std::vector<std::int32_t>& IDKR, const QString& SPF1 = {}, const OptionalVariant& SPF1W = {},
                const QString& SPO1 = {}, const QString& SPF2 = {}, const OptionalVariant& SPF2W = {},
                const QString& SPO2 = {}, const QString& SPF3 = {}, const OptionalVariant& SPF3W = {},
                const QString& SPO3 = {}, const QString& SPF4 = {}, const OptionalVariant& SPF4W = {},
                const QString& SPO4 = {});

private:
    // The per-call columns and their filter values.
    struct Pairs {
        std::array<QString, 4> column;
        std::array<OptionalVariant, 4> value;
    };

    // The column engines: write the array into the selection (appending and deleting rows so that the
    // selection ends as long as the array), or read the selection into the array by position. Silent:
    // they report failure through their result only.
    bool SPALTESPEICHERN(const QString& SPV, const std::vector<platform::Variant>& values,
                         const Pairs& pairs);
    bool SPALTEEINLESEN(const QString& SPV, std::vector<platform::Variant>& values, const Pairs& pairs);

    static Pairs pairsOf(const QString& SPI1, const OptionalVariant& SPI1W, const QString& SPI2,
                         const OptionalVariant& SPI2W, const QString& SPI3, const OptionalVariant& SPI3W,
                         const QString& SPI4, const OptionalVariant& SPI4W);
    // Opens a statement on the cursor's connection and remembers its text; a recordset that is only read
    // is opened for reading.
    enum class Use { Change, Read };
    void open(platform::Recordset& rs, const store::Statement& statement, Use use = Use::Change);
    std::unique_ptr<platform::Recordset> openSelection(const QString& SPV, const Pairs& pairs,
                                                       Use use = Use::Change);
    store::Statement selectStatement(const QString& SPV, const Pairs& pairs) const;
    store::Statement indexStatement(const Pairs& pairs) const;
    platform::Connection& connection() const;

    // The shells of the single-value members: one value through an engine, with the message on failure.
    bool writeValue(const QString& SPV, const platform::Variant& value, const Pairs& pairs);
    bool writeArray(const QString& SPV, const std::vector<platform::Variant>& values, const Pairs& pairs);
    // Reads the first row's value (Empty for a missing row or a Null) and hands it to apply; a failing read
    // shows its message and leaves the target alone.
    bool readValue(const QString& SPV, const Pairs& pairs,
                   const std::function<void(const platform::Variant&)>& apply);
    template <typename T, typename Convert>
    bool readArray(const QString& SPV, std::vector<T>& target, const Pairs& pairs, Convert convert);
    template <typename Value, typename Count, typename Convert, typename ConvertCount>
    void index(Value& MINI, Value& MAXI, Count& AN, const Pairs& pairs, const QString& title, Convert convert,
               ConvertCount convertCount);
    store::Statement listStatement(const QString& column, bool AKT) const;
    bool gridWrite(const QString& SPV, platform::FlexGrid& grid, const QString& SPNR, const Pairs& pairs);
    bool gridRead(const QString& SPV, platform::FlexGrid& grid, const QString& SPNR, const Pairs& pairs,
                  std::int16_t ZNR);

    std::shared_ptr<platform::Connection> connection_;
    // Why the last column write failed when the disk or its device was the cause (a full disk), else empty:
    // the failure message then names that, not the value.
    QString storageFailure_;
    QString einfmdb_;
    store::Statement lastStatement_;
};
