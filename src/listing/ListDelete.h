// Deleting the rows selected in the list dialog: the question, the refusals and the writes.
//
// Every row carries the stored line it was made from. Before anything is written, each selected
// row's line is checked to be still at its index in its file; when one is not, nothing is
// deleted, the refusal is shown and the list must be read again.
#pragma once

#include <string>
#include <vector>

#include "listing/ListKinds.h"
#include "listing/ListRows.h"
#include "platform/Dialogs.h"

namespace kal::listing {

// kind name + "の削除".
std::string DeleteCaption(ListKind kind);
// The question for the selected rows.
std::string DeleteQuestion(ListKind kind, const std::vector<ListRow>& rows);

enum class DeleteOutcome {
  Deleted,    // files changed: the list is rebuilt and the caller reloads
  Cancelled,  // the user answered No
  Refused,    // an automatic holiday, or nothing that can be deleted (message shown)
  Stale,      // a row's line changed meanwhile (message shown): the list is rebuilt
};

// Asks, checks and deletes. Throws store::FileError when a file cannot be read or written.
DeleteOutcome DeleteRows(platform::Dialogs& dialogs, const ListSource& source, ListKind kind,
                         const std::vector<ListRow>& rows);

// The schedule part without the question: the selected rows of one or more month files are
// removed (each file read once and saved once, every other line kept in order), then their
// detail lines. Stale when a row's line is no longer at its index (nothing written).
DeleteOutcome DeleteScheduleRows(platform::FileSystem& fs, const std::string& data_folder,
                                 const std::vector<ListRow>& rows);

}  // namespace kal::listing
