// The list dialog's form as `list` and `export` build it from their arguments:
// KIND VIEW [--date yyyy/mm/dd] [--from .. --to .. --title .. --ignore-case --category .. --detail ..]
// (the search options with VIEW "search"). The form holds the rows in list order.
#pragma once

#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "listing/ListForm.h"

namespace kal::cli {

// Throws UsageError for bad arguments and CliError for a refused search.
listing::ListForm ListFormFromArgs(CliContext& context, const std::vector<std::string>& args);

}  // namespace kal::cli
