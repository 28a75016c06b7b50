#pragma once
// The summary values the aircraft trees show, looked up in the craft and turn files.
#include "catalogue/file_name.h"

// Summary values for the tree captions: "unknown" for a missing file, empty text for
// a missing key.
// A bad summary value's error says where it stands (aircraft, file, row).
QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key);
QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key);
