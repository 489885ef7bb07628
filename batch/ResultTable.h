#pragma once
// One flat table of results: the values a list of columns names, taken from each result line (a
// JSON object, as `run --jsonl` writes them), as CSV with one header line and one row per case.
//
// A column is a path into the object: keys joined by '.', a list element by its position counted
// from 1 in brackets ("oil.Pbp", "gas.tables.Z[1]", "error.text"). Numbers are copied as the
// result holds them, character for character; texts are unquoted and quoted again for CSV as
// needed; booleans are true/false; a missing value or null is an empty cell; an object or a list
// is its JSON text. The first column is always the case.
#include "batch/CaseFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

class ResultTable {
public:
    // Throws CaseError for a column that is not a path.
    explicit ResultTable(const std::vector<std::string>& columns);
    ~ResultTable();
    ResultTable(const ResultTable&) = delete;
    ResultTable& operator=(const ResultTable&) = delete;

    // The header line, with its line end.
    std::string Header() const;
    // The row of one result line, with its line end. Throws CaseError when the line is not a JSON
    // object.
    std::string Row(std::string_view resultLine) const;

    // The columns that name nothing `shapeLine` (a result line with every key, ResultLineShape)
    // holds: a key it lacks, or a position in what is not a list. Positions past a list's end are
    // fine (tables differ in length).
    std::vector<std::string> UnknownColumns(std::string_view shapeLine) const;

    // A comma-separated list of columns; brackets may hold no commas.
    static std::vector<std::string> SplitColumns(const std::string& list);

    struct Node; // the columns' paths as a tree

private:
    std::vector<std::string> m_columns;
    std::unique_ptr<Node> m_root;
};

} // namespace q7
