#pragma once

#include <QString>

namespace schema {

// The databases of the program, each made from its section of the schema.
enum class Database { Project, Archive, Presets, Information };

// The SQL that creates the tables of one database.
QString sql(Database database);
// Creates a new, empty database file of that kind (fails when the file exists).
void create(Database database, const QString& path);

} // namespace schema
