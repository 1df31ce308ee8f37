#pragma once

#include <QString>

namespace platform {
class Connection;
}

namespace schema {

// The databases of the program, each made from its section of the schema.
enum class Database { Project, Archive, Presets, Information };

// The SQL that creates the tables of one database.
QString sql(Database database);
// Creates a new, empty database file of that kind (fails when the file exists).
void create(Database database, const QString& path);
// Brings a project database made by an earlier version of the program up to the schema's indexes. A
// database that can't take them (read-only, or no project database) is left as it is: they only save time.
void addIndexes(platform::Connection& project);

} // namespace schema
